#!/usr/bin/env python3
"""Runs the benchmark programs and the peer baselines in one go and prints one table: figure, Lexaro's value,
the baseline, their ratio, the target and whether it holds.

  report.py BUILD_FOLDER DATA_FOLDER
"""
import json
import os
import resource
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


class Figure:
    """Processor time (user and system, the process and what it waited for) and wall time, in ms."""

    def __init__(self, cpu, wall):
        self.cpu, self.wall = cpu, wall


def children_cpu_ms():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (usage.ru_utime + usage.ru_stime) * 1000.0


def measure(cmd, times, shell=False):
    """The median wall time and the mean processor time of a command run several times."""
    walls = []
    cpu_before = children_cpu_ms()
    for _ in range(times):
        start = time.perf_counter()
        subprocess.run(cmd, shell=shell, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        walls.append((time.perf_counter() - start) * 1000.0)
    return Figure((children_cpu_ms() - cpu_before) / times, statistics.median(walls))


def google_benchmark(program, data, extra_env=None):
    env = dict(os.environ, LEXARO_BENCH_DATA=data, **(extra_env or {}))
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        arguments = [program, "--benchmark_out=" + out.name, "--benchmark_out_format=json"]
        if os.environ.get("LEXARO_BENCH_FILTER"):
            arguments.append("--benchmark_filter=" + os.environ["LEXARO_BENCH_FILTER"])
        subprocess.run(arguments, check=True, env=env, stdout=sys.stderr)
        text = open(out.name).read()
    # A filter that matches none of the program's cases leaves no report: its rows show no figure.
    report = json.loads(text) if text.strip() else {"benchmarks": []}
    figures = {}
    for b in report["benchmarks"]:
        if b.get("error_occurred"):
            print("benchmark %s failed: %s" % (b["name"], b.get("error_message")), file=sys.stderr)
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}[b.get("time_unit", "ns")]
        figures[b["name"].split("/iterations")[0]] = Figure(b["cpu_time"] * scale, b["real_time"] * scale)
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
        # dictd gives up root before it writes into the folder: it must be writable for dictd's own user.
        os.chmod(folder, 0o777)
        conf = os.path.join(folder, "dictd.conf")
        with open(conf, "w") as f:
            f.write('database fd-eng-deu {\n data "/usr/share/dictd/freedict-eng-deu.dict.dz"\n'
                    ' index "/usr/share/dictd/freedict-eng-deu.index"\n}\n')
        self.process = subprocess.Popen(
            ["dictd", "-c", conf, "-p", str(self.port), "--listen-to", "127.0.0.1", "-d", "nodetach",
             "--pid-file", os.path.join(folder, "dictd.pid")],
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


class LineReader:
    """Lines from a socket. Every receive is acknowledged at once: a delayed acknowledgement would make the
    server (which sends an answer in several small writes) wait for it, and the round trip would time that."""

    def __init__(self, sock):
        self.sock, self.buffer = sock, b""

    def readline(self):
        while b"\n" not in self.buffer:
            self.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_QUICKACK, 1)
            chunk = self.sock.recv(65536)
            if not chunk:
                line, self.buffer = self.buffer, b""
                return line
            self.buffer += chunk
        line, _, self.buffer = self.buffer.partition(b"\n")
        return line + b"\n"


def read_answer(reader):
    """Reads one DEFINE answer up to its final status line and returns that line. Definition texts (after a
    151 line, up to a lone ".") are skipped whatever their lines begin with."""
    in_text = False
    while True:
        line = reader.readline()
        if not line:
            raise RuntimeError("dictd closed the connection")
        if in_text:
            in_text = line.rstrip(b"\r\n") != b"."
            continue
        code = line[:3]
        if code == b"151":
            in_text = True
        elif code != b"150":
            return line


def reaped_cpu_ms(pid):
    """Processor time of the children a process has waited for (a forking server's connections)."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    return (int(fields[13]) + int(fields[14])) * 1000.0 / ticks  # cutime, cstime (fields 16 and 17)


def dictd_own_answer(server, word, times):
    """One exact DEFINE over one open connection (dictd answers at most 2000 queries on one): the median round trip, and the server's processor time per
    answer (its connection process's time, counted once the server has reaped it)."""
    cpu_before = reaped_cpu_ms(server.process.pid)
    samples = []
    with socket.create_connection(("127.0.0.1", server.port)) as sock:
        f = LineReader(sock)
        f.readline()  # banner
        sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        for _ in range(times):
            start = time.perf_counter()
            sock.sendall(b'DEFINE fd-eng-deu "%s"\r\n' % word.encode())
            status = read_answer(f)
            samples.append((time.perf_counter() - start) * 1000.0)
        sock.sendall(b"QUIT\r\n")
        while f.readline():
            pass
    cpu = None
    for _ in range(100):
        time.sleep(0.05)
        after = reaped_cpu_ms(server.process.pid)
        if after > cpu_before:
            cpu = (after - cpu_before) / times
            break
    return Figure(cpu if cpu is not None else statistics.median(samples), statistics.median(samples)), \
        status.decode().strip()


def fmt(value, unit):
    if unit == "ms" and abs(value) < 0.1:
        return "%.2f µs" % (value * 1000.0)
    return ("%.3f" if value < 10 else "%.0f") % value + " " + unit


def main():
    build, data = sys.argv[1], sys.argv[2]
    big = os.path.join(data, "eng-deu-1M.lxd")
    big_size_mb = os.path.getsize(big) / 1e6
    rows = []

    def row(figure, value, unit="ms", base_name="", base=None, target=None, ratio_target=None):
        """value and base are Figures (times, compared by processor time) or plain numbers (memory)."""
        if value is None:
            rows.append((figure, "no figure", "", base_name, "", "", "FAIL" if target or ratio_target else ""))
            return
        cpu = value.cpu if isinstance(value, Figure) else value
        wall = fmt(value.wall, unit) if isinstance(value, Figure) else ""
        base_cpu = base.cpu if isinstance(base, Figure) else base
        ratio = cpu / base_cpu if base_cpu else None
        if ratio_target is not None:
            verdict = "pass" if ratio is not None and ratio <= ratio_target else "FAIL"
            target_text = "<= %.1f x" % ratio_target
        elif target is not None:
            verdict = "pass" if cpu < target and (not isinstance(value, Figure) or value.wall < target) else "FAIL"
            target_text = "< %g %s" % (target, unit)
        else:
            verdict, target_text = "", ""
        base_text = ""
        if base is not None:
            base_text = "%s %s" % (base_name, fmt(base_cpu, unit))
            if isinstance(base, Figure):
                base_text += " (wall %s)" % fmt(base.wall, unit)
        rows.append((figure, fmt(cpu, unit), wall, base_text, "%.2f" % ratio if ratio is not None else "",
                     target_text, verdict))

    # Baselines first, while the page cache holds the file as it will for the benchmarks.
    cat = measure("cat '%s' | cat >/dev/null" % big, 5, shell=True)
    grep = measure("LC_ALL=C grep -c -i %s '%s' | cat >/dev/null" % (MISSING, big), 5, shell=True)
    csv_cat = measure("cat '%s' | cat >/dev/null" % os.path.join(data, "eng-deu.csv"), 5, shell=True)
    scratch = tempfile.mkdtemp(prefix="dictd-", dir=data)
    server = PrivateDictd(scratch)
    try:
        dict_call = measure(["dict", "-h", "127.0.0.1", "-p", str(server.port), "-d", "fd-eng-deu", HIT], 20)
        dictd_hit, hit_status = dictd_own_answer(server, HIT, 1000)
        dictd_miss, miss_status = dictd_own_answer(server, MISSING, 1000)
        if not hit_status.startswith("250") or not miss_status.startswith("552"):
            print("unexpected dictd answers: %s / %s" % (hit_status, miss_status), file=sys.stderr)
    finally:
        server.stop()
        shutil.rmtree(scratch, ignore_errors=True)

    freedict = "/usr/share/dictd/freedict-eng-deu"
    zcat = measure("zcat '%s.dict.dz' | cat >/dev/null" % freedict, 5, shell=True)
    freedict_text_mb = int(subprocess.check_output("zcat '%s.dict.dz' | wc -c" % freedict, shell=True)) / 1e6
    # FreeDict as an additional dictionary is compared with the .lxd file the program makes of it.
    freedict_lxd = os.path.join(data, "freedict-eng-deu.lxd")
    if not os.path.exists(freedict_lxd):
        run([os.path.join(build, "lexaro-cli"), "convert", freedict + ".index", freedict_lxd])
    core = google_benchmark(os.path.join(build, "bench", "lexaro_bench_core"), data)

    loads, peaks, save_peaks = [], [], []
    for _ in range(3):
        out = key_values(run([os.path.join(build, "bench", "lexaro_bench_load"), big,
                              os.path.join(data, "saved-once.lxd")]))
        loads.append(Figure(out["load_cpu_ms"], out["load_ms"]))
        peaks.append(out["load_peak_kb"] / 1000.0)
        save_peaks.append(out["save_peak_kb"] / 1000.0)
    os.remove(os.path.join(data, "saved-once.lxd"))
    load = Figure(statistics.median(f.cpu for f in loads), statistics.median(f.wall for f in loads))
    cli = os.path.join(build, "lexaro-cli")
    info = measure([cli, "info", big], 3) if os.path.exists(cli) else None
    reads, read_peaks = [], []
    for _ in range(3):
        out = key_values(run([os.path.join(build, "bench", "lexaro_bench_load"), freedict + ".index"]))
        if out.get("rows") != 464179:
            raise RuntimeError("freedict-eng-deu did not read whole: %s" % out)
        reads.append(Figure(out["load_cpu_ms"], out["load_ms"]))
        read_peaks.append(out["load_peak_kb"] / 1000.0)
    freedict_read = Figure(statistics.median(f.cpu for f in reads), statistics.median(f.wall for f in reads))

    windows = {}
    startup = None
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
        starts = []
        for _ in range(3):
            out = key_values(run([starter], env=env, stderr=subprocess.DEVNULL))
            if out.get("rows") != 1000000 or out.get("exposed") != 1:
                raise RuntimeError("start-up did not show the 1M dictionary: %s" % out)
            starts.append(Figure(out["cpu_ms"], out["ready_ms"]))
        startup = Figure(statistics.median(f.cpu for f in starts), statistics.median(f.wall for f in starts))
        shutil.rmtree(home, ignore_errors=True)

    # The review: a log of 1,000,000 ratings over 200,000 cards, read and used with the 1M dictionary.
    review = {}
    reviewer = os.path.join(build, "bench", "lexaro_bench_review")
    review_log = os.path.join(data, "review-1M.lxr")
    wc_log = None
    if os.path.exists(reviewer):
        outs = [key_values(run([reviewer, big, review_log], env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                               stderr=subprocess.DEVNULL)) for _ in range(3)]
        wc_log = measure(["wc", "-l", review_log], 5)

        def median(cpu, wall):
            return Figure(statistics.median(o[cpu] for o in outs), statistics.median(o[wall] for o in outs))

        review = {"open_added": statistics.median(o["open_added_ms"] for o in outs),
                  "open": median("open_ms", "open_ms"), "open_with_log": median("open_with_log_ms", "open_with_log_ms"),
                  "log": median("log_cpu_ms", "log_ms"), "count": median("count_cpu_ms", "count_ms"),
                  "window_queue": median("window_queue_cpu_ms", "window_queue_ms"), "queue": median("queue_cpu_ms", "queue_ms"),
                  "queue_again": median("queue_again_cpu_ms", "queue_again_ms"),
                  "rating": statistics.median(o["rating_ms"] for o in outs),
                  "statistics": median("statistics_cpu_ms", "statistics_ms")}

    walk = {}
    walker = os.path.join(build, "lexaro_bench_walk")
    if os.path.exists(walker):
        home = tempfile.mkdtemp(prefix="walk-", dir=data)
        env = dict(os.environ, LEXARO_BENCH_DATA=data, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   LEXARO_COMMON_DIR=os.path.join(home, "common"), QT_QPA_PLATFORM="offscreen",
                   XDG_RUNTIME_DIR=home, TMPDIR=home)
        os.chmod(home, 0o700)
        for line in run([walker], env=env, stderr=subprocess.DEVNULL).splitlines():
            parts = line.split(";")
            if len(parts) == 5 and parts[0] == "walk":
                walk[parts[1]] = Figure(float(parts[2]), float(parts[3]))
        shutil.rmtree(home, ignore_errors=True)

    hit = core.get("BM_LookupExactHit")
    row("Exact look-up, hit (1M)", hit, "ms", "dictd own answer", dictd_hit, ratio_target=1.0)
    row("Exact look-up, miss (1M, first pass only)", core.get("BM_LookupExactMiss"), "ms", "dictd own answer",
        dictd_miss)
    row("All four passes miss (1M)", core.get("BM_LookupAllPassesMiss"), "ms", "grep -ci", grep, ratio_target=2.0)
    row("Wildcard look-up like hou*e (1M)", core.get("BM_LookupWildcard"), "ms", "grep -ci", grep)
    two_additional = core.get("BM_LookupTwoAdditional")
    row("Look-up with 2 additional 464k dictionaries", two_additional, "ms", "same without", hit)
    # Each additional dictionary is searched and shown, so only the time they add is held to a target; that they
    # are never read again while unchanged is what keeps it this small.
    added = None
    if two_additional is not None and hit is not None:
        added = Figure(two_additional.cpu - hit.cpu, two_additional.wall - hit.wall)
    row("Added by 2 unchanged additional dictionaries (1M)", added, "ms", target=0.05)
    row("The same, both files changed since the last look-up", core.get("BM_LookupTwoAdditionalChanged"))
    row("First two look-ups after a change, index built (1M)", core.get("BM_FirstLookUpsAfterChange"))
    row("Delete an entry, then two look-ups (1M)", core.get("BM_DeleteThenLookUp"))
    row("Translate 10,000 words, level 1 (1M)", core.get("BM_Translate10kWords/1"))
    row("Translate 10,000 words, level 4 (1M)", core.get("BM_Translate10kWords/4"), target=2000)
    row("Load 1M dictionary", load, "ms", "cat", cat, ratio_target=3.0)
    row("Load 1M, peak memory", max(peaks), "MB", "file size", big_size_mb, ratio_target=1.25)
    row("lexaro-cli info on the 1M dictionary", info, "ms", "cat", cat, ratio_target=3.0)
    row("Save 1M dictionary (flushed to disk)", core.get("BM_Save1M"), "ms", "cat", cat)
    row("Load and save 1M, peak memory", max(save_peaks), "MB", "file size", big_size_mb)
    row("Read freedict-eng-deu (dictd, 464k entries)", freedict_read, "ms", "zcat", zcat, ratio_target=2.5)
    row("Read freedict-eng-deu, peak memory", max(read_peaks), "MB", "text", freedict_text_mb, ratio_target=2.0)
    row("Look-up with freedict-eng-deu as additional dictionary, hit (1M)", core.get("BM_LookupWithFreedict/0/1"),
        "ms", "its .lxd form", core.get("BM_LookupWithFreedict/1/1"), ratio_target=1.2)
    row("The same, a word found nowhere (all passes)", core.get("BM_LookupWithFreedict/0/0"), "ms", "its .lxd form",
        core.get("BM_LookupWithFreedict/1/0"), ratio_target=1.2)
    row("Save 1M as StarDict", core.get("BM_SaveForeign1M/0"), "ms", "as .lxd", core.get("BM_Save1M"),
        ratio_target=2.0)
    row("Save 1M as dictd", core.get("BM_SaveForeign1M/1"), "ms", "as .lxd", core.get("BM_Save1M"),
        ratio_target=2.0)
    row("Sort 1M by term", core.get("BM_Sort1M"))
    row("Sort 1M in the entry list (current entry last)", core.get("BM_SortEntries1M"))
    row("CSV import, 464k entries", core.get("BM_ImportCsv464k"), "ms", "cat", csv_cat)
    row("Apply mass data, 100k entries", core.get("BM_ApplyMassData100k"))
    if windows:
        row("Open the overview (1M, offscreen)", windows.get("BM_OpenOverview1M"), target=300)
        row("Open the training window (1M, offscreen)", windows.get("BM_OpenTraining1M"), target=300)
        row("Open the mass data editor (1M, offscreen)", windows.get("BM_OpenMassData1M"))
        row("Start-up to usable window (1M start dictionary)", startup, target=1000)
        in_window = windows.get("BM_SearchInMainWindow/0")
        row("Look-up in the main window, result painted (1M)", in_window, "ms")
        row("The same with 2 additional 464k dictionaries", windows.get("BM_SearchInMainWindow/2"), "ms",
            "same without", in_window)
        row("Speak a one-word term, key press to first sample handed to the player",
            windows.get("BM_SpeakKeyToFirstSample"), target=150)
    if review:
        # The log is read on a thread of its own while the dictionary is read: what opening waits for longer is
        # the difference of the wall times, against the wall time of wc -l.
        row("Open the 1M dictionary (wall)", review["open"], "ms")
        row("The same with its review log (1M ratings, 200k cards; wall)", review["open_with_log"], "ms")
        row("Time the review log adds to opening (wall)", review["open_added"], "ms", "wc -l (wall)",
            wc_log.wall if wc_log else None, ratio_target=10.0)
        row("The same, against the 0.5 s it may add", review["open_added"], "ms", target=500)
        row("Review log read alone, on one core (1M ratings, 200k cards)", review["log"], "ms", "wc -l", wc_log)
        # The main window counts the due cards when the dictionary opens; the review window's queue starts from
        # what that count kept.
        row("Due count when the 1M dictionary opens (200k cards)", review["count"], "ms")
        row("Today's review queue, review window opened (1M entries, 200k cards)", review["window_queue"], "ms",
            target=50)
        row("The same built from nothing, without the count before it", review["queue"], "ms")
        row("The same built again after a session (one card more rated)", review["queue_again"], "ms", target=50)
        row("A rating written and flushed (wall)", review["rating"], "ms", target=5)
        row("Open the statistics window (1M ratings, offscreen)", review["statistics"], "ms", target=300)
    # A user's steps one after the other with the 1M dictionary open (bench/WalkBench.cpp), each timed once.
    if walk:
        for figure, *step in (
                ("Walk: first search after loading (1M)", "Search, exact hit"),
                ("Walk: first miss, explanation index built (1M)", "Search, miss (all passes)", 200),
                ("Walk: substring search (1M)", "Search, substring ouse"),
                ("Walk: wildcard search *ing (1M)", "Search, wildcard *ing"),
                ("Walk: add an entry (1M)", "Add entry"),
                # Processor time against the 166 ms of 8 December: the wall time includes the flush to disk.
                ("Walk: save as HTML (1M)", "Save as HTML", dict(base_name="8 December", base=166.0, ratio_target=1.1)),
                ("Walk: save as separated text (1M)", "Save as separated text"),
                ("Walk: export plain text (1M)", "Export plain text"),
                ("Walk: properties with SHA-1, window usable (1M)", "Properties with SHA-1, window usable"),
                ("Walk: properties with SHA-1, checksum shown (1M)", "Properties with SHA-1, checksum shown"),
                ("Walk: portable copy (1M)", "Portable copy"),
                ("Walk: overview, export all rows (1M)", "Overview: export the selection"),
                ("Walk: overview, append a 464k CSV file (1M)", "Overview: append CSV (464k)"),
                ("Walk: overview, sort by explanation (1M)", "Overview: sort ExplAsc"),
                ("Walk: training, all entries into the unit (1M)", "Training: all entries into the unit"),
                ("Walk: new dictionary, 1M closed", "New dictionary", 200)):
            limits = step[1] if len(step) > 1 and isinstance(step[1], dict) else dict(
                target=step[1] if len(step) > 1 else None)
            row(figure, walk.get(step[0]), **limits)

    print()
    print("Baselines (processor time / wall time): cat %s / %s, grep -ci %s / %s, dict call %s / %s, "
          "dictd own answer %s / %s (hit), %s / %s (miss); 1M file %.1f MB" % (
              fmt(cat.cpu, "ms"), fmt(cat.wall, "ms"), fmt(grep.cpu, "ms"), fmt(grep.wall, "ms"),
              fmt(dict_call.cpu, "ms"), fmt(dict_call.wall, "ms"), fmt(dictd_hit.cpu, "ms"),
              fmt(dictd_hit.wall, "ms"), fmt(dictd_miss.cpu, "ms"), fmt(dictd_miss.wall, "ms"), big_size_mb))
    print("Times are processor time (user + system); ratios compare processor times, so that other work on "
          "the machine does not skew them. A time target holds only when the wall time holds it too.")
    print()
    header = ("Figure", "Lexaro", "Wall", "Baseline", "Ratio", "Target", "Result")
    print("| " + " | ".join(header) + " |")
    print("|" + "|".join("---" for _ in header) + "|")
    for r in rows:
        print("| " + " | ".join(r) + " |")
    return 1 if any(r[6] == "FAIL" for r in rows) else 0


if __name__ == "__main__":
    sys.exit(main())
