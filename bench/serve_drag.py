"""Drag to redraw on the page of `vollfarbe serve`, measured in the browser:
100 marker moves as a drag makes them, each timed from the move to the new
pass drawn (request, answer, diagram and numbers). Target: under 50 ms each;
prints the mean, the median and the slowest, and their ratio to the target.

    /usr/bin/python3 bench/serve_drag.py build/vollfarbe
"""
import os
import shutil
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

TARGET_MS = 50.0
MOVES = 100

# Each move waits for its own pass before the next, as a drag that never
# outruns the page would; the times are performance.now() differences.
SCRIPT = """
const done = arguments[arguments.length - 1];
const times = [];
let lambda = 560;
function move() {
  if (times.length === %d) { done(times); return; }
  lambda = Math.round((lambda + 0.7) * 10) / 10;
  const start = performance.now();
  document.addEventListener('vollfarbe-pass', () => {
    requestAnimationFrame(() => { times.push(performance.now() - start); move(); });
  }, { once: true });
  window.vollfarbe.setLambda(lambda);
}
move();
""" % MOVES


def main(program):
    server = subprocess.Popen([program, "serve"], stdout=subprocess.PIPE, text=True)
    address = server.stdout.readline().strip()
    profile = tempfile.mkdtemp(prefix="vollfarbe-bench-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 f"--user-data-dir={profile}", "--window-size=1280,800"]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.set_script_timeout(120)
        driver.get(address + "?lambda=560")
        driver.execute_script("return new Promise(r => setTimeout(r, 1000))")
        times = sorted(driver.execute_async_script(SCRIPT))
    finally:
        driver.quit()
        server.terminate()
        server.wait()
        shutil.rmtree(profile, ignore_errors=True)
    mean = sum(times) / len(times)
    median = times[len(times) // 2]
    print(f"serve drag: {len(times)} moves, mean {mean:.1f} ms, median {median:.1f} ms, "
          f"slowest {times[-1]:.1f} ms; mean / target {mean / TARGET_MS:.2f}, "
          f"slowest / target {times[-1] / TARGET_MS:.2f} (target {TARGET_MS:.0f} ms)")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/vollfarbe")
