# `vollfarbe serve` under test: the program from VOLLFARBE_BINARY (ctest sets
# it), started on a free port; `server` is one kept for the whole session.
import os
import signal
import subprocess

import pytest


class Server:
    def __init__(self, program, *arguments):
        self.process = subprocess.Popen([program, "serve", *arguments], stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)
        self.address = self.process.stdout.readline().strip()
        assert self.address.startswith("http://127.0.0.1:") and self.address.endswith("/"), \
            self.process.stderr.read()
        self.port = int(self.address.rsplit(":", 1)[1].rstrip("/"))

    def stop(self, sig=signal.SIGTERM):
        self.process.send_signal(sig)
        try:
            return self.process.wait(timeout=20)
        finally:
            self.process.stdout.close()
            self.process.stderr.close()


@pytest.fixture(scope="session")
def program():
    path = os.environ.get("VOLLFARBE_BINARY")
    if not path:
        pytest.skip("VOLLFARBE_BINARY (the built program) is not set; ctest sets it")
    return path


@pytest.fixture(scope="session")
def server(program):
    s = Server(program)
    yield s
    assert s.stop() == 0
