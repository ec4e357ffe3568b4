#!/usr/bin/env bash
# The program on a pseudo-terminal that this test holds itself: idle at the
# pause it makes no system call and uses no CPU time (30 s by default, 3 s in
# ctest, 30 s again in `make check`; watched
# through /proc and by strace); when the terminal goes
# away without a hang-up signal (not its controlling terminal), it ends as on
# SIGHUP with its report written instead of spinning; TERM=dumb gets lines.
# Usage: bash terminal_pty_test.sh path/to/vollfarbe [IDLE_SECONDS]
set -u
exec python3 - "$(realpath "$1")" "${2:-${VOLLFARBE_IDLE_SECONDS:-30}}" <<'PY'
import os, select, signal, struct, subprocess, sys, tempfile, time, fcntl, termios

program, idle_seconds = sys.argv[1], float(sys.argv[2])
failures = []
def fail(message):
    print("FAIL:", message)
    failures.append(message)

def start(work, term):
    master, slave = os.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 30, 80, 0, 0))
    env = dict(os.environ, TERM=term, LANG="C.UTF-8", LC_ALL="C.UTF-8")
    # A session of its own without a controlling terminal: closing our end
    # sends it no SIGHUP.
    process = subprocess.Popen([program], stdin=slave, stdout=slave, stderr=subprocess.PIPE,
                               cwd=work, env=env, start_new_session=True)
    os.close(slave)
    return process, master

def read_until(master, text, seconds=5.0):
    seen = b""
    deadline = time.monotonic() + seconds
    while text not in seen and time.monotonic() < deadline:
        ready, _, _ = select.select([master], [], [], 0.05)
        if ready:
            try:
                seen += os.read(master, 65536)
            except OSError:
                break
    if text not in seen:
        fail("timed out waiting for %r; saw %r" % (text, seen[-300:]))
    return seen

def drain(master, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if select.select([master], [], [], 0.05)[0]:
            os.read(master, 65536)

def activity(pid):
    """CPU ticks (user + system) and context switches (every wake-up) so far."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = int(fields[11]) + int(fields[12])
    switches = 0
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                switches += int(line.split()[1])
    return ticks, switches

def attached_and_waiting(pid, seconds=10.0):
    """Until a tracer is attached and the program sleeps in its poll again."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        with open("/proc/%d/status" % pid) as f:
            fields = dict(line.split(":", 1) for line in f if ":" in line)
        with open("/proc/%d/wchan" % pid) as f:
            wchan = f.read()
        if int(fields["TracerPid"]) != 0 and fields["State"].split()[0] == "S" and "poll" in wchan:
            return True
        time.sleep(0.01)
    return False

expected_start = b"l=  489.996  lc=  600\r\n"

with tempfile.TemporaryDirectory() as work:
    process, master = start(work, "xterm")
    read_until(master, "Grenzwellenl\u00e4nge:?".encode())
    os.write(master, b"600\r")
    read_until(master, b"-556.84")
    drain(master, 0.3)  # the pause is painted; from here on nothing happens

    # strace logs every system call with its time. Attaching interrupts the
    # blocked poll once, so the window opens a moment after it.
    trace = os.path.join(work, "idle.strace")
    tracer = subprocess.Popen(["strace", "-ttt", "-o", trace, "-p", str(process.pid)],
                              stderr=subprocess.DEVNULL)
    if not attached_and_waiting(process.pid):
        fail("strace did not attach, or the program did not wait again, within 10 s")
    window_start = time.time()
    before = activity(process.pid)
    time.sleep(idle_seconds)
    after = activity(process.pid)
    window_end = time.time()
    tracer.send_signal(signal.SIGINT)
    tracer.wait(timeout=10)
    ticks, wakeups = after[0] - before[0], after[1] - before[1]
    if ticks != 0 or wakeups != 0:
        fail("idle for %.1f s: %d CPU ticks, %d wake-ups" % (idle_seconds, ticks, wakeups))
    with open(trace) as f:
        lines = f.read().splitlines()
    if not lines:
        fail("strace recorded nothing: it could not attach")
    calls = [l for l in lines if window_start < float(l.split()[0]) < window_end]
    if calls:
        fail("idle for %.1f s: %d system calls, e.g. %s" % (idle_seconds, len(calls), calls[0]))

    os.close(master)  # the terminal goes away, with no SIGHUP
    start_ticks = activity(process.pid)[0]
    try:
        status = process.wait(timeout=3)
        if status != 129:
            fail("terminal gone: exit status %d, expected 129" % status)
    except subprocess.TimeoutExpired:
        spent = activity(process.pid)[0] - start_ticks
        fail("terminal gone: still running after 3 s, %d CPU ticks spent" % spent)
        process.kill()
        process.wait()
    with open(os.path.join(work, "vollfarb.txt"), "rb") as f:
        if not f.read().startswith(expected_start):
            fail("terminal gone: report not written out")

with tempfile.TemporaryDirectory() as work:
    # A terminal without cursor addressing gets the line-by-line transcript.
    process, master = start(work, "dumb")
    seen = read_until(master, "kompensative Wellenl\u00e4ngen".encode())
    if b"\x1b" in seen:
        fail("TERM=dumb: escape sequences sent: %r" % seen[:200])
    if "farbtongleichen Wellenl\u00e4nge\r\n".encode() not in seen:
        fail("TERM=dumb: the title is not a line of its own: %r" % seen[:300])
    os.write(master, b"600\r")
    read_until(master, b"l2 =-556.84")
    os.close(master)
    try:
        process.wait(timeout=3)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()

if not failures:
    print("terminal on a pty: all checks passed")
sys.exit(1 if failures else 0)
PY
