"""The large configs the start-up benchmarks open: binds, aliases, settings and Russian comments in
Windows-1251 with CR LF, the same for a given size in every run."""
import os
import random


def config_file(folder, megabytes):
    rng = random.Random(megabytes)
    shapes = ['bind "{}" "+attack"', 'alias buy{} "buy;menuselect 4"', 'cl_updaterate "{}"',
              "// комментарий {}", 'echo "готово {}"', ""]
    path = os.path.join(folder, f"start{megabytes}.cfg")
    # Written line by line: a child's peak memory counts this process's as it was when the child
    # started, so this process stays small.
    with open(path, "wb") as f:
        size = 0
        while size < megabytes * 1024 * 1024 - 200:  # the editor opens up to 16 MiB
            line = rng.choice(shapes).format(rng.randrange(1000)).encode("cp1251") + b"\r\n"
            f.write(line)
            size += len(line)
    return path
