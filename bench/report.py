#!/usr/bin/env python3
"""Runs the benchmark programs and the peer baselines in one go and prints one table: figure, Lexaro's value,
the baseline, their ratio, the target and whether it holds.

  report.py BUILD_FOLDER DATA_FOLDER
"""
import json
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time

MISSING = "qxzvjwq"  # the same missing word as bench/BenchData.h
HIT = "house"


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, stdout=subprocess.PIPE, text=True, **kw).stdout


def median_ms(cmd, times, shell=False):
    samples = []
    for _ in range(times):
        start = time.perf_counter()
        subprocess.run(cmd, shell=shell, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        samples.append((time.perf_counter() - start) * 1000.0)
    return statistics.median(samples)


def google_benchmark(program, data, extra_env=None):
    env = dict(os.environ, LEXARO_BENCH_DATA=data, **(extra_env or {}))
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([program, "--benchmark_out=" + out.name, "--benchmark_out_format=json"], check=True,
                       env=env, stdout=sys.stderr)
        report = json.load(open(out.name))
    figures = {}
    for b in report["benchmarks"]:
        if b.get("error_occurred"):
            print("benchmark %s failed: %s" % (b["name"], b.get("error_message")), file=sys.stderr)
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}[b.get("time_unit", "ns")]
        figures[b["name"].split("/iterations")[0]] = b["real_time"] * scale
    return figures


def key_values(text):
    values = {}
    for line in text.split():
        if "=" in line:
            k, v = line.split("=", 1)
            values[k] = float(v)
    return values


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class PrivateDictd:
    """dictd serving fd-eng-deu on loopback as a process of this run (not the system service)."""

    def __init__(self, folder):
        self.port = free_port()
        self.folder = folder
        conf = os.path.join(folder, "dictd.conf")
        with open(conf, "w") as f:
            f.write('database fd-eng-deu {\n data "/usr/share/dictd/freedict-eng-deu.dict.dz"\n'
                    ' index "/usr/share/dictd/freedict-eng-deu.index"\n}\n')
        self.process = subprocess.Popen(
            ["dictd", "-c", conf, "-p", str(self.port), "--listen-to", "127.0.0.1", "-d", "nodetach",
             "-L", os.path.join(folder, "dictd.log"), "--pid-file", os.path.join(folder, "dictd.pid")],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=0.2).close()
                return
            except OSError:
                time.sleep(0.05)
        raise RuntimeError("dictd did not start")

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


def read_answer(sock_file):
    """Reads one DEFINE answer up to its final status line; returns that line."""
    while True:
        line = sock_file.readline()
        if not line:
            raise RuntimeError("dictd closed the connection")
        code = line[:3]
        if code in (b"250", b"552") or code[:1] in (b"4", b"5"):
            return line


def dictd_round_trip_ms(port, word, times):
    """The server's own time for one exact DEFINE, over one open connection."""
    with socket.create_connection(("127.0.0.1", port)) as sock:
        f = sock.makefile("rb")
        f.readline()  # banner
        samples = []
        for _ in range(times):
            start = time.perf_counter()
            sock.sendall(b'DEFINE fd-eng-deu "%s"\r\n' % word.encode())
            status = read_answer(f)
            samples.append((time.perf_counter() - start) * 1000.0)
        sock.sendall(b"QUIT\r\n")
        return statistics.median(samples), status.decode().strip()


def main():
    build, data = sys.argv[1], sys.argv[2]
    big = os.path.join(data, "eng-deu-1M.lxd")
    big_size_mb = os.path.getsize(big) / 1e6
    rows = []

    def row(figure, value, unit, base_name="", base=None, target=None, ratio_target=None):
        if value is None:
            rows.append((figure, "no figure", base_name, "", "", "FAIL" if target or ratio_target else ""))
            return
        ratio = value / base if base else None
        if ratio_target is not None:
            verdict = "pass" if ratio is not None and ratio <= ratio_target else "FAIL"
            target_text = "<= %.1f x" % ratio_target
        elif target is not None:
            verdict = "pass" if value < target else "FAIL"
            target_text = "< %g %s" % (target, unit)
        else:
            verdict, target_text = "", ""
        rows.append((figure, "%.3f %s" % (value, unit) if value < 10 else "%.0f %s" % (value, unit),
                     base_name + (" %.3f" % base if base is not None and base < 10 else
                                  (" %.0f" % base if base is not None else "")),
                     "%.2f" % ratio if ratio is not None else "", target_text, verdict))

    # Baselines first, while the page cache holds the file as it will for the benchmarks.
    cat_ms = median_ms("cat '%s' | cat >/dev/null" % big, 5, shell=True)
    grep_ms = median_ms("LC_ALL=C grep -c -i %s '%s' | cat >/dev/null" % (MISSING, big), 5, shell=True)
    csv_cat_ms = median_ms("cat '%s' | cat >/dev/null" % os.path.join(data, "eng-deu.csv"), 5, shell=True)
    scratch = tempfile.mkdtemp(prefix="dictd-", dir=data)
    server = PrivateDictd(scratch)
    try:
        dict_ms = median_ms(["dict", "-h", "127.0.0.1", "-p", str(server.port), "-d", "fd-eng-deu", HIT], 20)
        dictd_hit_ms, hit_status = dictd_round_trip_ms(server.port, HIT, 300)
        dictd_miss_ms, miss_status = dictd_round_trip_ms(server.port, MISSING, 300)
        if not hit_status.startswith("250") or not miss_status.startswith("552"):
            print("unexpected dictd answers: %s / %s" % (hit_status, miss_status), file=sys.stderr)
    finally:
        server.stop()
        shutil.rmtree(scratch, ignore_errors=True)

    core = google_benchmark(os.path.join(build, "bench", "lexaro_bench_core"), data)

    loads, peaks, saves, save_peaks = [], [], [], []
    for _ in range(3):
        out = key_values(run([os.path.join(build, "bench", "lexaro_bench_load"), big,
                              os.path.join(data, "saved-once.lxd")]))
        loads.append(out["load_ms"])
        peaks.append(out["load_peak_kb"] / 1000.0)
        saves.append(out["save_ms"])
        save_peaks.append(out["save_peak_kb"] / 1000.0)
    os.remove(os.path.join(data, "saved-once.lxd"))

    windows = {}
    startup = []
    program = os.path.join(build, "bench", "lexaro_bench_windows")
    if os.path.exists(program):
        windows = google_benchmark(program, data)
        home = tempfile.mkdtemp(prefix="startup-", dir=data)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   LEXARO_COMMON_DIR=os.path.join(home, "common"), QT_QPA_PLATFORM="offscreen",
                   XDG_RUNTIME_DIR=home)
        os.chmod(home, 0o700)
        starter = os.path.join(build, "lexaro_bench_startup")
        run([starter, "--prepare", os.path.abspath(big)], env=env)
        for _ in range(3):
            out = key_values(run([starter], env=env, stderr=subprocess.DEVNULL))
            if out.get("rows") != 1000000 or out.get("exposed") != 1:
                raise RuntimeError("start-up did not show the 1M dictionary: %s" % out)
            startup.append(out["ready_ms"])
        shutil.rmtree(home, ignore_errors=True)

    hit = core.get("BM_LookupExactHit")
    row("Exact look-up, hit (1M)", hit, "ms", "dictd own answer", dictd_hit_ms, ratio_target=1.0)
    row("Exact look-up, miss (1M, first pass)", core.get("BM_LookupExactMiss"), "ms", "dictd own answer",
        dictd_miss_ms)
    row("All four passes miss (1M)", core.get("BM_LookupAllPassesMiss"), "ms", "grep -ci", grep_ms,
        ratio_target=2.0)
    row("Wildcard look-up hous*d (1M)", core.get("BM_LookupWildcard"), "ms", "grep -ci", grep_ms)
    row("Look-up with 2 additional 464k dictionaries", core.get("BM_LookupTwoAdditional"), "ms",
        "same without", hit, ratio_target=1.2)
    row("Translate 10,000 words, level 1", core.get("BM_Translate10kWords/1"), "ms")
    row("Translate 10,000 words, level 4", core.get("BM_Translate10kWords/4"), "ms", target=2000)
    row("Load 1M dictionary", statistics.median(loads), "ms", "cat", cat_ms, ratio_target=3.0)
    row("Load 1M, peak memory", max(peaks), "MB", "file size", big_size_mb, ratio_target=2.0)
    row("Save 1M dictionary (flushed to disk)", core.get("BM_Save1M"), "ms", "cat", cat_ms)
    row("Load and save 1M, peak memory", max(save_peaks), "MB", "file size", big_size_mb)
    row("Sort 1M by term", core.get("BM_Sort1M"), "ms")
    row("CSV import, 464k entries", core.get("BM_ImportCsv464k"), "ms", "cat", csv_cat_ms)
    row("Apply mass data, 100k entries", core.get("BM_ApplyMassData100k"), "ms")
    if windows:
        row("Open the overview (1M, offscreen)", windows.get("BM_OpenOverview1M"), "ms", target=300)
        row("Open the training window (1M, offscreen)", windows.get("BM_OpenTraining1M"), "ms", target=300)
        row("Start-up to usable window (1M start dictionary)", statistics.median(startup), "ms", target=1500)

    print()
    print("Baselines: cat %.0f ms, grep -ci %.0f ms, dict call %.2f ms, dictd own answer %.3f ms (hit) / %.3f ms "
          "(miss), 1M file %.1f MB" % (cat_ms, grep_ms, dict_ms, dictd_hit_ms, dictd_miss_ms, big_size_mb))
    print()
    header = ("Figure", "Lexaro", "Baseline", "Ratio", "Target", "Result")
    print("| " + " | ".join(header) + " |")
    print("|" + "|".join("---" for _ in header) + "|")
    for r in rows:
        print("| " + " | ".join(r) + " |")
    return 1 if any(r[5] == "FAIL" for r in rows) else 0


if __name__ == "__main__":
    sys.exit(main())
