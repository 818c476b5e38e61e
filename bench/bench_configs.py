"""The configs the start-up benchmarks open: the shared generator's (gen_cfg.py in ../shared/tools
beside the repository, or $TESSERA_GEN_CFG), binds, aliases under many names, variables, setinfo,
Russian comments and blanks in Windows-1251 with CR LF, the same for a given size and seed in
every run."""
import os
import subprocess
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
generator = os.environ.get("TESSERA_GEN_CFG") or os.path.normpath(
    os.path.join(root, "..", "shared", "tools", "gen_cfg.py"))


def config_file(folder, megabytes, seed=15):
    # The editor opens up to 16 MiB.
    size = min(megabytes * 1024 * 1024, 16 * 1024 * 1024)
    path = os.path.join(folder, f"gen{megabytes}_{seed}.cfg")
    # A process of its own: a child's peak memory counts this process's as it was when the child
    # started, so this process stays small.
    subprocess.run([sys.executable, generator, path, str(size), str(seed)], check=True)
    return path
