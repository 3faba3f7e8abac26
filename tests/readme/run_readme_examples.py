#!/usr/bin/env python3
"""Runs every shell example of README.md, as a new user would type it.

Fenced blocks are read by their language:
  sh       run with bash (set -euo pipefail): every command must succeed.
  console  lines "$ command" are run one by one; the lines after each, up to the next
           "$ ", are its output (standard output and standard error, as a terminal shows
           them) and must match exactly. An output line "..." stands for any number of
           lines, "..." inside a line for any text. A command ending in "# exit status N" must end with status N; any other
           must end with 0.
  text, csv and the like are not run. A block with no language is an error: say what it is.
A block right after the line <!-- not run: REASON --> is skipped (REASON is required).

Each block runs on its own, in a fresh empty folder, as if Sorvane were installed there:
the programs are copied into PREFIX/bin, the ApplicationFolder skeleton into
PREFIX/share/sorvane/appfolder, and HOME is a new empty folder, so the first command makes
~/.local/share/sorvane from the skeleton as it does on a user's first start.

usage: run_readme_examples.py README.md --programs DIR --skeleton DIR
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

kPrograms = ("sorvane-cli", "sorvane-plot", "sorvane")
kNotRun = re.compile(r"^<!--\s*not run:\s*(\S.*?)\s*-->\s*$")
kExpectedStatus = re.compile(r"#\s*exit status (\d+)\s*$")
kRunLanguages = {"sh", "bash", "shell"}


class Block:
    def __init__(self, line, language, lines, skip_reason):
        self.line = line                # of the opening fence, counted from 1
        self.language = language
        self.lines = lines
        self.skip_reason = skip_reason


def ReadBlocks(readme):
    blocks, problems = [], []
    lines = readme.read_text(encoding="utf-8").splitlines()
    k = 0
    while k < len(lines):
        opening = re.match(r"^(```+)\s*(\S*)\s*$", lines[k])
        if not opening:
            k += 1
            continue
        fence, language, start = opening.group(1), opening.group(2), k
        end = start + 1
        while end < len(lines) and lines[end].strip() != fence:
            end += 1
        before = start - 1
        while before >= 0 and not lines[before].strip():
            before -= 1
        skip = kNotRun.match(lines[before]) if before >= 0 else None
        if not language:
            problems.append(f"{readme}:{start + 1}: a block without a language: mark it sh, console or text")
        blocks.append(Block(start + 1, language, lines[start + 1:end], skip.group(1) if skip else None))
        k = end + 1
    return blocks, problems


def FreshInstallation(root, programs, skeleton):
    """A prefix with the programs and the skeleton, an empty HOME and an empty work folder."""
    bin_dir = root / "prefix" / "bin"
    bin_dir.mkdir(parents=True)
    for name in kPrograms:
        if (programs / name).exists():
            shutil.copy2(programs / name, bin_dir / name)
    shutil.copytree(skeleton, root / "prefix" / "share" / "sorvane" / "appfolder",
                    ignore=shutil.ignore_patterns(".keep"))
    (root / "prefix" / "share" / "sorvane" / "appfolder" / "OUTPUT").mkdir(exist_ok=True)
    for folder in ("home", "work"):
        (root / folder).mkdir()
    env = {key: value for key, value in os.environ.items()
           if key not in ("SORVANE_HOME", "XDG_DATA_HOME", "CDPATH")}
    env.update(HOME=str(root / "home"), PATH=f"{bin_dir}{os.pathsep}{os.environ.get('PATH', '')}",
               QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=str(root / "runtime"), LC_ALL="C.UTF-8")
    return env, root / "work"


def Run(command, env, cwd):
    return subprocess.run(["bash", "-c", command], env=env, cwd=cwd, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True, timeout=300)


def LineMatches(expected, actual):
    pattern = ".*".join(re.escape(part) for part in expected.split("..."))
    return re.fullmatch(pattern, actual) is not None


def Matches(expected, actual):
    """Line by line; an expected line "..." stands for any number of lines, and "..."
    inside a line for any text (such as the temporary folder a path begins with)."""
    if not expected:
        return not actual
    if expected[0] == "...":
        return any(Matches(expected[1:], actual[k:]) for k in range(len(actual) + 1))
    return bool(actual) and LineMatches(expected[0], actual[0]) and Matches(expected[1:], actual[1:])


def ConsoleCommands(block):
    """(line number, command, expected output lines) for each "$ " line."""
    commands = []
    for offset, line in enumerate(block.lines):
        if line.startswith("$ "):
            commands.append((block.line + 1 + offset, line[2:], []))
        elif commands:
            commands[-1][2].append(line)
    return commands


def RunShell(block, readme, env, cwd):
    script = "set -euo pipefail\n" + "\n".join(block.lines) + "\n"
    result = Run(script, env, cwd)
    if result.returncode != 0:
        return [f"{readme}:{block.line}: the block ends with status {result.returncode}:\n{result.stdout}"]
    return []


def RunConsole(block, readme, env, cwd):
    problems = []
    commands = ConsoleCommands(block)
    if not commands:
        problems.append(f"{readme}:{block.line}: a console block without a '$ ' command")
    for line, command, expected in commands:
        status = kExpectedStatus.search(command)
        expected_status = int(status.group(1)) if status else 0
        result = Run(command, env, cwd)
        actual = result.stdout.splitlines()
        if result.returncode != expected_status:
            problems.append(f"{readme}:{line}: '{command}' ends with status {result.returncode}, "
                            f"not {expected_status}:\n{result.stdout}")
        elif not Matches(expected, actual):
            problems.append(f"{readme}:{line}: '{command}' writes something else than the README shows:\n"
                            + "\n".join(actual))
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("readme", type=Path)
    parser.add_argument("--programs", type=Path, required=True)
    parser.add_argument("--skeleton", type=Path, required=True)
    arguments = parser.parse_args()

    blocks, problems = ReadBlocks(arguments.readme)
    ran = skipped = 0
    for block in blocks:
        if block.language not in kRunLanguages | {"console"}:
            continue
        if block.skip_reason:
            skipped += 1
            continue
        with tempfile.TemporaryDirectory(prefix="sorvane-readme-") as folder:
            env, cwd = FreshInstallation(Path(folder), arguments.programs, arguments.skeleton)
            runner = RunConsole if block.language == "console" else RunShell
            problems += runner(block, arguments.readme, env, cwd)
        ran += 1
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"{ran} blocks run, {skipped} marked not run, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
