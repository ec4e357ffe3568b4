#!/usr/bin/env bash
# Says which interpreter the Python package in BUILD/python is built for,
# and whether `python3` on PATH is that one: a pyenv or virtual-environment
# python3 is another interpreter, without Debian's numpy or of another
# version, and cannot import it.
#   python/built_for.sh BUILD
set -u
build=${1:?the build folder}
built=$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' "$build/CMakeCache.txt")
[ -n "$built" ] || { echo "no Python interpreter configured in $build" >&2; exit 1; }
echo "The Python package vollfarbe ($build/python/vollfarbe) is built for $built ($("$built" -V 2>&1)):"
echo "    PYTHONPATH=$build/python $built -c 'import vollfarbe'"
on_path=$(command -v python3 || true)
[ -n "$on_path" ] || exit 0
executable() { "$1" -c 'import os, sys; print(os.path.realpath(sys.executable))' 2>/dev/null; }
if [ "$(executable "$on_path")" != "$(executable "$built")" ]; then
  echo "Note: python3 on PATH is $on_path ($(python3 -V 2>&1)), another interpreter than $built."
  if error=$(PYTHONPATH=$build/python python3 -c 'import vollfarbe' 2>&1); then
    echo "      It imports the package here, but the package is built and tested for $built."
  else
    echo "      It cannot import the package ($(printf '%s' "$error" | tail -1)); call $built."
  fi
fi
