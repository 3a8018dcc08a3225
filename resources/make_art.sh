#!/usr/bin/env bash
# Regenerates the bitmaps, digit masks, icons, cursor and alarm sound of this folder.
# The outputs are committed, so a build never needs fonts, ImageMagick or sox;
# run this only after changing the artwork. Same tools in, same bytes out.
#
# Needs: ImageMagick 6 (convert), sox, python3, DejaVu fonts.
set -euo pipefail

out=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

export LC_ALL=C
digit_font=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf
[[ -r $digit_font ]] || { echo "missing font: $digit_font" >&2; exit 1; }

# Glyph colours of the three colour sets and the "no alarm" grey.
set_colour=("rgb(0,255,0)" "rgb(0,255,255)" "rgb(255,0,0)")
grey="rgb(132,132,132)"

# Writes a 24-bit bottom-up uncompressed BMP (what windres and the
# picture-clip code expect): no alpha, no colour space block.
write_bmp() { # src dst
  convert "$1" -alpha off -type TrueColor BMP3:"$2"
}

# Maps a white-on-black coverage mask to glyph colour on pure black.
tint() { # mask colour dst
  convert "$1" -colorspace gray +level-colors "black,$2" -alpha off "$3"
}

# Prints "w h x y" of the inked part of an image.
ink_box() { convert "$1" -format '%@\n' info: | tr 'x+' '  '; }

# The strips are drawn at 100, 125, 150, 175 and 200 % from the same design,
# each scale rendered from the drawing itself, never stretched: Haneler0.bmp
# is 100 %, Haneler0_150.bmp 150 %. A cell is its 100 % size times the scale,
# rounded half up, as the program rounds its twips to pixels. The scaled
# strips hold at most 256 colours (one glyph colour on black), so they are
# written with a palette: the same pixels in a third of the bytes.
scales=(100 125 150 175 200)
scaled() { echo $((($1 * $2 + 50) / 100)); } # size percent
suffix() { if (($1 == 100)); then echo ""; else echo "_$1"; fi; }
write_strip() { # src dst percent
  if (($3 == 100)); then write_bmp "$1" "$2"
  else convert "$1" -alpha off -type Palette -compress none BMP3:"$2"; fi
}

# Packs a raw 8-bit grey image into the runs ui/StripArt.h reads: width and
# height (16-bit little-endian), then a byte b < 0x80 for b + 1 zeros, 0x80 to
# 0xBF for b - 0x7F full pixels, 0xC0 and up for b - 0xBF literal values.
pack_mask() { # raw width height dst
  python3 - "$@" <<'PY'
import struct, sys
raw, w, h, dst = open(sys.argv[1], "rb").read(), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
assert len(raw) == w * h
out, i = bytearray(struct.pack("<HH", w, h)), 0
while i < len(raw):
    v, j = raw[i], i
    if v in (0, 255):
        limit = 128 if v == 0 else 64
        while j < len(raw) and raw[j] == v and j - i < limit:
            j += 1
        out.append(j - i - 1 if v == 0 else 0x7F + j - i)
    else:
        while j < len(raw) and raw[j] not in (0, 255) and j - i < 64:
            j += 1
        out.append(0xBF + j - i)
        out += raw[i:j]
    i = j
open(dst, "wb").write(out)
PY
}

# ---------------------------------------------------------------- digits
# Each digit is rendered alone and cut to a vertical band shared by all ten
# (so they sit on one baseline), then centred horizontally in its 16 x 22 cell.
digits() { # percent
  local p=$1 sfx cw ch canvas band_top=999 band_bot=0 band d k w h x y
  sfx=$(suffix "$p"); cw=$(scaled 16 "$p"); ch=$(scaled 22 "$p"); canvas=$(scaled 64 "$p")
  local pt; pt=$(awk -v p="$p" 'BEGIN { print 25 * p / 100 }')
  for d in 0 1 2 3 4 5 6 7 8 9; do
    convert -size ${canvas}x${canvas} xc:black -font "$digit_font" -pointsize "$pt" -fill white \
       -gravity center -annotate +0+0 "$d" -colorspace gray -depth 8 "$tmp/g$d.png"
    read -r w h x y < <(ink_box "$tmp/g$d.png")
    if (( y < band_top )); then band_top=$y; fi
    if (( y + h > band_bot )); then band_bot=$((y + h)); fi
  done
  band=$((band_bot - band_top))
  (( band * 22 <= ch * 20 )) || { echo "digits too tall at $p %: $band" >&2; exit 1; }
  for d in 0 1 2 3 4 5 6 7 8 9; do
    read -r w h x y < <(ink_box "$tmp/g$d.png")
    (( w < cw )) || { echo "digit $d too wide at $p %: $w" >&2; exit 1; }
    convert "$tmp/g$d.png" -crop "${w}x${band}+${x}+${band_top}" +repage \
       -background black -gravity center -extent ${cw}x${ch} "$tmp/d$d.png"
  done
  # What the program carries: the one coverage mask, which it tints into the
  # colour sets at load. The strips of each colour below are the art of
  # record that the tests compare the tinted masks with.
  convert "$tmp"/d{0..9}.png +append -colorspace gray -depth 8 "gray:$tmp/mask.gray"
  pack_mask "$tmp/mask.gray" $((cw * 10)) "$ch" "$out/Haneler$sfx.mask"
  for k in 0 1 2; do
    cells=()
    for d in 0 1 2 3 4 5 6 7 8 9; do
      tint "$tmp/d$d.png" "${set_colour[$k]}" "$tmp/h${k}_$d.png"
      cells+=("$tmp/h${k}_$d.png")
    done
    convert "${cells[@]}" +append "$tmp/Haneler$k.png"
    write_strip "$tmp/Haneler$k.png" "$out/Haneler$k$sfx.bmp" "$p"
  done
}

# ---------------------------------------------------------------- colons
# Two square dots on whole pixels (4 x 4 at 100 %, 3 rows apart), centred in
# the 8 x 15 cell; the cell's middle row lines up with the middle of the
# digits on the face.
colons() { # percent
  local p=$1 sfx w h d g x0 y0 k
  sfx=$(suffix "$p"); w=$(scaled 8 "$p"); h=$(scaled 15 "$p")
  d=$(scaled 4 "$p"); g=$(scaled 3 "$p")
  x0=$(((w - d) / 2)); y0=$(((h - 2 * d - g) / 2))
  convert -size ${w}x${h} xc:black +antialias -fill white \
     -draw "rectangle $x0,$y0 $((x0 + d - 1)),$((y0 + d - 1))" \
     -draw "rectangle $x0,$((y0 + d + g)) $((x0 + d - 1)),$((y0 + 2 * d + g - 1))" "$tmp/colon.png"
  cells=()
  for k in 0 1 2; do
    tint "$tmp/colon.png" "${set_colour[$k]}" "$tmp/n$k.png"
    cells+=("$tmp/n$k.png")
  done
  convert "${cells[@]}" +append "$tmp/Noktalar.png"
  write_strip "$tmp/Noktalar.png" "$out/Noktalar$sfx.bmp" "$p"
}

# ---------------------------------------------------------- alarm symbol
# "((o))": a dot between two pairs of arcs, 1 px strokes (at 100 %) centred
# on whole pixels at the middle row; coverage by 16 x 16 supersampling.
alarm_symbol() { # percent
  local p=$1 sfx c n
  sfx=$(suffix "$p")
  python3 - "$(scaled 14 "$p")" "$(scaled 10 "$p")" "$p" >"$tmp/alarm_sym.pgm" <<'PY'
import math, sys
W, H, P = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
S, f = 16, P / 100
cx, cy = W / 2, H / 2
DOT_R, HALF_W = 1.42 * f, 0.5 * f
ARCS = ((3.5 * f, 46), (5.5 * f, 40))  # radius, half opening in degrees

def inked(x, y):
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r <= DOT_R:
        return True
    for radius, half in ARCS:
        for side in (0, 180):
            a = (math.degrees(math.atan2(dy, dx)) - side + 180) % 360 - 180
            if abs(a) <= half:
                if abs(r - radius) <= HALF_W:
                    return True
                continue
            for end in (half, -half):  # round caps
                t = math.radians(side + end)
                if math.hypot(x - cx - radius * math.cos(t),
                              y - cy - radius * math.sin(t)) <= HALF_W:
                    return True
    return False

pix = bytearray()
for py in range(H):
    for px in range(W):
        n = sum(inked(px + (i + .5) / S, py + (j + .5) / S)
                for i in range(S) for j in range(S))
        pix.append(round(255 * n / (S * S)))
sys.stdout.buffer.write(b"P5\n%d %d\n255\n" % (W, H) + bytes(pix))
PY
  cells=()
  for c in "${set_colour[@]}" "$grey"; do
    n=${#cells[@]}
    tint "$tmp/alarm_sym.pgm" "$c" "$tmp/a$n.png"
    cells+=("$tmp/a$n.png")
  done
  convert "${cells[@]}" +append "$tmp/Alarmlar.png"
  write_strip "$tmp/Alarmlar.png" "$out/Alarmlar$sfx.bmp" "$p"
}

for p in "${scales[@]}"; do
  digits "$p"
  colons "$p"
  alarm_symbol "$p"
done

# ------------------------------------------------------------ clock icon
# Drawn at 8x on a transparent ground, then box-averaged to icon size.
# $1 = icon size, $2 = 1 for the detailed face (hour ticks, second hand).
clock_icon() {
  local s=$1 detailed=$2 big=$(($1 * 8))
  local c=$((big / 2))
  local args=(-size "${big}x${big}" xc:none
    -fill "rgb(24,60,140)" -draw "circle $c,$c $c,$((c - big * 15 / 32))"
    -fill "rgb(255,253,240)" -draw "circle $c,$c $c,$((c - big * 25 / 64))")
  local mvg="$tmp/clock$s.mvg"
  python3 - "$big" "$detailed" >"$mvg" <<'PY'
import math, sys
big, detailed = int(sys.argv[1]), sys.argv[2] == "1"
c = big / 2
u = big / 32  # one pixel of a 32 px icon
def at(deg, r):
    a = math.radians(deg)
    return c + r * math.sin(a), c - r * math.cos(a)
# Strokes are in pixels of a 32 px icon; the small icon keeps only the
# quarter ticks and gets bolder strokes so they survive the shrink.
k = 1.0 if detailed else 1.7
print("stroke-linecap round")
print("stroke rgb(40,40,48)")
for h in range(12):
    if not detailed and h % 3:
        continue
    major = h % 3 == 0
    r0 = (9.2 if major else 10.4) * u
    print(f"stroke-width {(1.8 if major else 1.1) * k * u:.2f}")
    x0, y0 = at(h * 30, r0); x1, y1 = at(h * 30, 11.6 * u)
    print(f"line {x0:.2f},{y0:.2f} {x1:.2f},{y1:.2f}")
# 10:10, the classic pose: hour hand just past ten, minute hand on two.
for deg, length, width in ((305, 6.6, 2.6), (60, 9.6, 1.9)):
    x, y = at(deg, length * u)
    print(f"stroke-width {width * k * u:.2f}")
    print(f"line {c:.2f},{c:.2f} {x:.2f},{y:.2f}")
if detailed:
    x0, y0 = at(30, 2.5 * u); x1, y1 = at(210, 10.0 * u)
    print("stroke rgb(210,30,30)")
    print(f"stroke-width {0.9 * u:.2f}")
    print(f"line {x0:.2f},{y0:.2f} {x1:.2f},{y1:.2f}")
print("stroke none fill rgb(210,30,30)")
print(f"circle {c:.2f},{c:.2f} {c + 1.6 * k * u:.2f},{c:.2f}")
PY
  convert "${args[@]}" -draw "$(<"$mvg")" -filter box -resize "${s}x${s}" \
     -depth 8 "RGBA:$tmp/clock$s.rgba"
}
clock_icon 32 1
clock_icon 16 0
clock_icon 48 1
clock_icon 64 1

# ------------------------------------------------------------- bell icon
for s in 32 48 64; do
convert -size 256x256 xc:none -stroke "rgb(110,70,0)" -strokewidth 9 \
   -fill "rgb(110,70,0)" -draw "circle 128,214 128,236" \
   -fill none -draw "circle 128,30 128,44" \
   -fill "rgb(240,188,40)" \
   -draw "path 'M 128,40 C 84,40 70,76 68,116 C 66,156 58,172 34,190 L 222,190 C 198,172 190,156 188,116 C 186,76 172,40 128,40 Z'" \
   -draw "roundrectangle 26,184 230,210 12,12" \
   -stroke none -fill "rgb(255,236,150)" \
   -draw "path 'M 96,64 C 84,80 82,110 80,140 C 79,156 76,166 70,174 L 86,174 C 92,160 94,146 95,124 C 96,100 98,80 108,62 Z'" \
   -filter box -resize "${s}x$s" -depth 8 "RGBA:$tmp/bell$s.rgba"
done

# The 150 % and 200 % sizes are stored as PNG, which keeps them small.
for name in clock48 clock64 bell48 bell64; do
  n=${name//[a-z]/}
  convert -size "${n}x$n" -depth 8 "RGBA:$tmp/$name.rgba" -strip \
    -define png:exclude-chunk=date,time PNG32:"$tmp/$name.png"
done

# ------------------------------------------------- icon and cursor files
# Written by hand: full control of the image format and the hot spot.
python3 - "$tmp" "$out" <<'PY'
import struct, sys
tmp, out = sys.argv[1], sys.argv[2]

def rows_bottom_up(n):
    return range(n - 1, -1, -1)

def mask_row(bits):
    # 1 bpp row, MSB first, padded to 32 bits.
    data = bytearray((len(bits) + 31) // 32 * 4)
    for x, b in enumerate(bits):
        if b:
            data[x // 8] |= 0x80 >> (x % 8)
    return bytes(data)

def dib_32(rgba, size):
    px = [rgba[i:i + 4] for i in range(0, len(rgba), 4)]
    xor, andm = bytearray(), bytearray()
    for y in rows_bottom_up(size):
        row = px[y * size:(y + 1) * size]
        for r, g, b, a in row:
            xor += bytes((b, g, r, a)) if a else bytes(4)
        andm += mask_row([a == 0 for _, _, _, a in row])
    head = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                       len(xor) + len(andm), 0, 0, 0, 0)
    return head + bytes(xor) + bytes(andm)

def icon_file(kind, images):
    # images: (width, height, colours, field1, field2, dib); for icons the two
    # fields are planes/bit count, for cursors the hot spot.
    data = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for w, h, colours, f1, f2, dib in images:
        data += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, f1, f2,
                            len(dib), offset)
        offset += len(dib)
    return data + b"".join(img[-1] for img in images)

def load(name):
    with open(f"{tmp}/{name}", "rb") as f:
        return f.read()

with open(f"{out}/Zilvane.ico", "wb") as f:
    f.write(icon_file(1, [(32, 32, 0, 1, 32, dib_32(load("clock32.rgba"), 32)),
                          (16, 16, 0, 1, 32, dib_32(load("clock16.rgba"), 16)),
                          (48, 48, 0, 1, 32, load("clock48.png")),
                          (64, 64, 0, 1, 32, load("clock64.png"))]))
with open(f"{out}/Bell.ico", "wb") as f:
    f.write(icon_file(1, [(32, 32, 0, 1, 32, dib_32(load("bell32.rgba"), 32)),
                          (48, 48, 0, 1, 32, load("bell48.png")),
                          (64, 64, 0, 1, 32, load("bell64.png"))]))

# Pointing hand, 32 x 32: '#' black outline, 'o' white, '.' transparent.
# The tip of the index finger is the hot spot (13, 5).
HAND = """
................................
................................
................................
................................
................................
............###.................
...........#ooo#................
...........#ooo#................
...........#ooo#................
...........#ooo#................
...........#ooo#................
...........#ooo####.............
...........#ooo#ooo####.........
...........#ooo#ooo#ooo#........
...........#ooo#ooo#ooo####.....
...........#ooo#ooo#ooo#ooo#....
...........#ooo#ooo#ooo#ooo#....
......###..#ooooooooooooooo#....
.....#ooo#.#ooooooooooooooo#....
.....#ooooo#ooooooooooooooo#....
......#oooooooooooooooooooo#....
.......#ooooooooooooooooooo#....
........#oooooooooooooooooo#....
.........#ooooooooooooooooo#....
..........#oooooooooooooooo#....
...........#ooooooooooooooo#....
............#ooooooooooooo#.....
............#ooooooooooooo#.....
............###############.....
................................
................................
................................
""".split()
HOT = (13, 5)
assert len(HAND) == 32 and all(len(r) == 32 for r in HAND)
assert HAND[HOT[1]][HOT[0]] == "#" and HAND[HOT[1] - 1][HOT[0]] == "."
xor, andm = bytearray(), bytearray()
for y in rows_bottom_up(32):
    xor += mask_row([c == "o" for c in HAND[y]])
    andm += mask_row([c == "." for c in HAND[y]])
palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
head = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(andm),
                   0, 0, 2, 0)
with open(f"{out}/Hand.cur", "wb") as f:
    f.write(icon_file(2, [(32, 32, 2, HOT[0], HOT[1],
                           head + palette + bytes(xor) + bytes(andm))]))
PY

# ------------------------------------------------------------ alarm sound
# A struck bell: a few partials, each dying away at its own rate (higher ones
# sooner). sox's logarithmic fade over a long span gives a near-exponential
# decay; the mix is cut to 2.2 s with a short final fade to silence.
# 16-bit mono PCM, no dither, so the samples are repeatable.
rate=44100
len=2.2
parts=()
for p in "440 0.25 7" "880 1.00 6" "1760 0.45 4" "2429 0.25 2.2" "4752 0.10 1.1"; do
  read -r freq amp decay <<<"$p"
  f="$tmp/p$freq.wav"
  sox -D -n -r $rate -c 1 -b 32 -e signed-integer "$f" \
      synth "$decay" sine "$freq" fade l 0.004 "$decay" "$decay" vol "$amp"
  parts+=("$f")
done
sox -D -m "${parts[@]}" --comment "" -r $rate -c 1 -b 16 -e signed-integer \
    "$tmp/alarm.wav" trim 0 $len fade h 0 $len 0.5 norm -3
# Strip everything but "fmt " and "data" so PlaySound sees a plain RIFF WAVE.
python3 - "$tmp/alarm.wav" "$out/Alarm.wav" <<'PY'
import struct, sys
src = open(sys.argv[1], "rb").read()
assert src[:4] == b"RIFF" and src[8:12] == b"WAVE"
chunks, pos = {}, 12
while pos + 8 <= len(src):
    cid, size = src[pos:pos + 4], struct.unpack("<I", src[pos + 4:pos + 8])[0]
    chunks[cid] = src[pos + 8:pos + 8 + size]
    pos += 8 + size + (size & 1)
fmt, data = chunks[b"fmt "][:16], chunks[b"data"]
tag, channels, _, _, _, bits = struct.unpack("<HHIIHH", fmt)
assert (tag, channels, bits) == (1, 1, 16), (tag, channels, bits)
body = b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", len(data)) + data
open(sys.argv[2], "wb").write(b"RIFF" + struct.pack("<I", len(body)) + body)
PY

echo "artwork written to $out"
