#!/usr/bin/env python3
# Turns French text into leet the way many people write it by hand: each
# letter, with probability one half, becomes one of its usual glyphs, drawn at
# random; the rest stays as it is, accents included. Blanks and marks stay.
# A fixed seed makes the same leet each time. Not a test.
#
#   leet_aleatoire.py < texte > leet
import random
import sys

# For each letter, the glyphs drawn from: a list of our own choosing, wider
# than either built-in style.
GLYPHES = {
    "a": ["4", "@", "/-\\", "^"], "b": ["8", "|3", "13"], "c": ["(", "<", "["],
    "d": ["|)", "[)"], "e": ["3", "&"], "f": ["|="], "g": ["6", "9"],
    "h": ["|-|", "#", "]-["], "i": ["1", "!", "|"], "j": ["_|"], "k": ["|<", "|{"],
    "l": ["1", "|_"], "m": ["|\\/|", "/\\/\\"], "n": ["|\\|", "/\\/"], "o": ["0", "()"],
    "p": ["|>", "|*"], "q": ["(,)", "0_"], "r": ["|2", "12"], "s": ["5", "$"],
    "t": ["7", "+"], "u": ["|_|", "(_)"], "v": ["\\/"], "w": ["\\/\\/"],
    "x": [")(", "><"], "y": ["`/"], "z": ["2", "7_"],
}


def main():
    hasard = random.Random(2026)
    for ligne in sys.stdin:
        sortie = []
        for c in ligne:
            glyphes = GLYPHES.get(c.lower())
            if glyphes and hasard.random() < 0.5:
                sortie.append(hasard.choice(glyphes))
            else:
                sortie.append(c)
        sys.stdout.write("".join(sortie))


if __name__ == "__main__":
    main()
