# The module under test comes from PYTHONPATH (build/python, set by ctest),
# the program it must agree with from VOLLFARBE_BINARY.
import os
import subprocess

import pytest


@pytest.fixture(scope="session")
def program():
    path = os.environ.get("VOLLFARBE_BINARY")
    if not path:
        pytest.skip("VOLLFARBE_BINARY (the built program) is not set; ctest sets it")
    return path


@pytest.fixture(scope="session")
def run_program(program, tmp_path_factory):
    """Runs the program with arguments and stdin in a directory of its own; returns stdout."""
    directory = tmp_path_factory.mktemp("run")

    def run(*arguments, stdin=""):
        return subprocess.run([program, *arguments], input=stdin.encode(), cwd=directory,
                              capture_output=True, check=True).stdout.decode()

    return run
