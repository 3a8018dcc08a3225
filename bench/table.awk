# The benchmark's table from bench.sh's figures.txt (plain awk: no gawk-isms).
function median(v, n,    i, j, t) {
    for (i = 2; i <= n; i++)
        for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    if (n == 0) return -1
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
}
function bytes(n,    s, out) {
    if (n == "-") return "not built"
    s = sprintf("%d", n)
    out = ""
    while (length(s) > 3) { out = "," substr(s, length(s) - 2) out; s = substr(s, 1, length(s) - 3) }
    return s out " B"
}
function ratio(a, b) { return b > 0 ? sprintf("%.2f x", a / b) : "-" }
function row(figure, z, b, r, goal) {
    printf "| %-44s | %-17s | %-17s | %-7s | %-13s |\n", figure, z, b, r, goal
}
function field(s, key,    i, n, kv) {
    n = split(s, kv, " ")
    for (i = 1; i <= n; i++) if (index(kv[i], key "=") == 1) return substr(kv[i], length(key) + 2)
    return "-"
}
$1 == "exe_x86" { x86 = $2 }
$1 == "exe_x64" { x64 = $2 }
$1 == "exe_baseline" { base = $2 }
$1 == "exe_measured" { measured = $2 }
$1 == "tick_ir" { ir = $2 }
$1 == "seconds" { secs = $2 }
$1 == "cpu" { cz = $2; cm = $3; caz = $4; cam = $5 }
$1 == "mem" { rz = $2; pz = $3; rm = $4; pm = $5 }
$1 == "cycles" && $2 == 1 { w1 = $3; g1 = $4; u1 = $5; r1 = $6; p1 = $7 }
$1 == "cycles" && $2 != 1 { ncyc = $2; wn = $3; gn = $4; un = $5; rn = $6; pn = $7 }
$1 == "after" && $2 == 1 { hw1 = $4; hg1 = $8; hp1 = int($12 / 1024) }
$1 == "after" && $2 != 1 { hn = $2; hwn = $4; hgn = $8; hpn = int($12 / 1024) }
$1 == "RESULT" && $2 == "zilvane" { dz = $0 }
$1 == "RESULT" && $2 == "minimal" { dm = $0 }
$1 == "start_z" { nz++; zc[nz] = $2; zs[nz] = $3 - $2; zp[nz] = $4 - $3; zt[nz] = $4 }
$1 == "start_b" { nb++; bc[nb] = $2; bs[nb] = $3 - $2; bp[nb] = $4 - $3; bt[nb] = $4 }
END {
    printf "| %-44s | %-17s | %-17s | %-7s | %-13s |\n", "Figure (" arch ")", "Zilvane", "Baseline", "Ratio", "Goal"
    printf "|%s|%s|%s|%s|%s|\n", "----------------------------------------------", \
        "-------------------", "-------------------", "---------", "---------------"
    row("Zilvane.exe size, 32-bit (build/win32)", bytes(x86), "-", "-", "<= 300 KB")
    row("Zilvane.exe size, 64-bit (build/win64)", bytes(x64), "-", "-", "<= 400 KB")
    row("Zilvane.exe measured (BENCH_EXE) size", bytes(measured), "-", "-", "-")
    row("Plain window program (baseline) size", "-", bytes(base), "-", "-")
    mt = median(zt, nz); mb = median(bt, nb)  # median() sorts: [1] is the least
    row("Start-up to first frame, median of " nz " (ms)", sprintf("%.0f (min %.0f)", mt, zt[1]), \
        sprintf("%.0f (min %.0f)", mb, bt[1]), ratio(mt, mb), "<= 1.3 x")
    a = median(zc, nz); b = median(bc, nb)
    row("  start -> first window created (ms)", sprintf("%.0f", a), sprintf("%.0f", b), ratio(a, b), "")
    a = median(zs, nz); b = median(bs, nb)
    row("  window created -> shown (ms)", sprintf("%.0f", a), sprintf("%.0f", b), ratio(a, b), "")
    a = median(zp, nz); b = median(bp, nb)
    row("  shown -> first frame on screen (ms)", sprintf("%.0f", a), sprintf("%.0f", b), ratio(a, b), "")
    if (secs <= 0) { print ""; print "Start-ups only (BENCH_SECONDS=0)."; exit }
    perMin = 60 / secs / 1000  # microseconds over the run -> ms per minute
    row("CPU per minute at rest, process (ms)", sprintf("%.1f", cz * perMin), sprintf("%.1f", cm * perMin), ratio(cz, cm), "<= 1.2 x")
    row("CPU per minute at rest, whole prefix (ms)", sprintf("%.1f", caz * perMin), sprintf("%.1f", cam * perMin), ratio(caz, cam), "-")
    row("Seconds digit lag, median / p99 (ms)", field(dz, "median_ms") " / " field(dz, "p99_ms"), \
        field(dm, "median_ms") " / " field(dm, "p99_ms"), "-", "<= 5 / <= 10")
    row("Seconds skipped / doubled in " sprintf("%.0f", secs) " s", field(dz, "skipped") " / " field(dz, "held"), \
        field(dm, "skipped") " / " field(dm, "held"), "-", "0 / 0")
    row("Working set at rest (KiB)", rz, rm, ratio(rz, rm), "-")
    row("Private memory at rest (KiB)", pz, pm, ratio(pz, pm), "-")
    row("After 1 / " ncyc " dialog cycles, from outside:", "", "", "", "flat")
    row("  windows of the process", w1 " / " wn, "-", "-", "")
    row("  GDI / USER objects (GetGuiResources)", g1 "/" u1 " -> " gn "/" un, "-", "-", "")
    row("  working set (KiB)", r1 " / " rn, "-", "-", "")
    row("  private memory (KiB)", p1 " / " pn, "-", "-", "")
    row("Simulated hour, after 1 / " hn " dialog cycles:", "", "", "", "flat")
    row("  windows of the thread", hw1 " / " hwn, "-", "-", "")
    row("  GDI objects alive (handle probe)", hg1 " / " hgn, "-", "-", "")
    row("  private memory (KiB)", hp1 " / " hpn, "-", "-", "")
    row("Clock's own code per tick (instructions)", ir, "-", "-", "-")
    print ""
    print "Baseline: a plain window program with the clock's manifest for the start-up rows,"
    print "a plain 1000 ms SetTimer clock for the rest (bench/README.md)."
}
