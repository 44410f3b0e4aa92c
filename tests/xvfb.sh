#!/usr/bin/env bash
# Runs a command on a fresh virtual 800 x 600 screen of its own.
exec xvfb-run -a -s "-screen 0 800x600x24 -nolisten tcp" "$@"
