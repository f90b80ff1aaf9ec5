#!/usr/bin/env python3
"""Random option sets for house, terrain and track, drawn with a fixed seed.

The options and their value forms come from the option tables themselves,
as the Linux build prints them in `kestrane COMMAND --help --lang en`: the
placeholder after each option name (MM, 0..4, R,G,B, X,Z, hu|en, none for a
switch) and the default in parentheses. A value is mostly drawn around the
default or inside the range; now and then a wrong one, so that refusals are
compared too. Prints one case a line as cases.txt has them:
NAME<tab>ARGUMENTS (shell words).

Usage: random_options.py LINUX_KESTRANE [COUNT] [SEED]
"""
import random
import re
import shlex
import subprocess
import sys

# Options whose values are not numbers or plain choices: drawn from lists
# of valid values (the words come from the help texts).
CHOICES = {
    "roof": ["pitched", "hip", "pyramid", "flat", "lean", "half-hipped", "gambrel", "mansard", "saltbox"],
    "layout": ["cells", "simulator"],
    "pieces": ["bed", "dike-left", "dike-right", "cutting-left", "cutting-right", "wall-left", "wall-right",
               "ground"],
    "texture": ["a.bmp", "fu.bmp", "gravel.bmp", ""],
    "window-texture": ["ablak.bmp", "window2.bmp"],
    "door-texture": ["ajto.bmp", "door2.bmp"],
}
# Left out: where files go and what is read (the cases give those), GDAL,
# and what only a heightmap uses.
SKIPPED = {"dir", "lang", "output", "preset", "help", "heightmap", "heightmap-origin", "heightmap-map-origin",
           "height-scale", "height-offset", "pixel-size"}
# How many of each command's sets; together the COUNT asked for.
SHARES = {"house": 0.4, "terrain": 0.3, "track": 0.3}

OPTION_LINE = re.compile(r"^  (?:-\w, )?--([a-z0-9-]+)(?: (\S+))?(?:\s{2,}(.*))?$")


def read_options(kestrane, command):
    """(name, placeholder, default text) of each option the help lists."""
    text = subprocess.run([kestrane, command, "--help", "--lang", "en"], capture_output=True, text=True,
                          check=True).stdout
    options = []
    lines = text.splitlines()
    for i, line in enumerate(lines):
        match = OPTION_LINE.match(line)
        if not match or match.group(1) in SKIPPED:
            continue
        description = match.group(3) or ""
        # The default may stand on a continuation line.
        for more in lines[i + 1:i + 4]:
            if OPTION_LINE.match(more) or not more.startswith("      "):
                break
            description += " " + more.strip()
        default = re.search(r"\(([-0-9.,]+)[;)]", description)
        options.append((match.group(1), match.group(2), default.group(1) if default else None))
    return options


def number_near(rng, default, whole):
    """A value around `default`: half to one and a half times, sometimes 0."""
    base = float(default)
    value = 0.0 if rng.random() < 0.05 else base * rng.uniform(0.5, 1.5) if base else rng.uniform(-5, 5)
    return str(int(round(value))) if whole else f"{value:.2f}".rstrip("0").rstrip(".")


def draw_value(rng, name, placeholder, default):
    if rng.random() < 0.04:
        return rng.choice(["abc", "-1", "1e9", "", "1,2,3,4,5,6,7,8"])  # a refusal now and then
    if name in CHOICES:
        if name == "pieces":
            return ",".join(rng.sample(CHOICES[name], rng.randint(1, 3)))
        if name == "texture" and placeholder == "ELEMENT=NAME":
            return rng.choice(["ballast", "sleepers", "rails", "slope", "ground"]) + "=" + rng.choice(
                ["gravel.bmp", "kavics.bmp"])
        return rng.choice(CHOICES[name])
    if placeholder and "|" in placeholder:
        return rng.choice(placeholder.split("|"))
    if placeholder and re.fullmatch(r"\d+\.\.\d+", placeholder):
        low, high = map(int, placeholder.split(".."))
        return str(rng.randint(low, high))
    if placeholder == "R,G,B":
        return ",".join(str(rng.randint(0, 255)) for _ in range(3))
    if name == "radius" or placeholder == "LIST":
        return ",".join(str(rng.choice([-1, 1]) * rng.randint(150, 2500)) for _ in range(rng.randint(1, 2)))
    if name == "resolution":
        return f"{rng.randint(1, 40)},{rng.randint(1, 40)}"
    if name == "area":
        return f"{rng.randint(5, 300)},{rng.randint(5, 300)}"
    if name == "peak":
        return f"{rng.randint(0, 25)},{rng.randint(0, 25)},{rng.randint(1, 20)},{rng.randint(1, 20)}"
    if name == "curve":
        return f"{rng.randint(-5, 5)},{rng.randint(0, 10)},{rng.randint(10, 20)}"
    if name == "windows":
        return f"{rng.choice(['front', 'back', 'left', 'right'])}:{rng.randint(1, 3)}"
    if name == "door":
        return f"{rng.randint(800, 1100)},{rng.randint(1900, 2300)}"
    if name == "side-door":
        return f"{rng.choice(['left', 'right', 'back'])}:{rng.randint(800, 1000)},{rng.randint(1900, 2200)}"
    if name == "lit":
        return f"{rng.randint(0, 100)},{rng.randint(1, 99)}"
    whole = placeholder in ("MM", "N", "PERCENT")
    if default and "," in default:
        return ",".join(number_near(rng, part, whole) for part in default.split(","))
    if default:
        return number_near(rng, default, whole)
    if placeholder in ("MM",):
        return str(rng.randint(500, 6000))
    return number_near(rng, "2", whole)


def main():
    kestrane = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 50
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 27)
    number = 0
    for command, share in SHARES.items():
        options = read_options(kestrane, command)
        sets = round(count * share) if command != "track" else count - number
        for _ in range(sets):
            number += 1
            args = [command, "--lang", rng.choice(["hu", "en"])]
            for name, placeholder, default in rng.sample(options, rng.randint(2, min(8, len(options)))):
                args.append("--" + name)
                if placeholder:
                    args.append(draw_value(rng, name, placeholder, default))
            print(f"random-{number:02d}\t{shlex.join(args)}")


if __name__ == "__main__":
    main()
