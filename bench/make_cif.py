#!/usr/bin/env python3
"""Writes a large, realistic CIF for timing the converter.

    make_cif.py SIZE_MB LAYOUT > atom.cif

LAYOUT is one of
  typical    a refinement CIF: cell, atom-site loop, then a long embedded
             reflection file in a text field
  textfield  the same text field before the atom-site loop, which ends the file
  loops      a long loop of reflections (h, k, l, F-squared, sigma) before the
             atom-site loop, which ends the file
"""

import random
import sys

HEADER = """data_bench
_audit_creation_method            'SHELXL-2018/3'
_chemical_formula_sum             'C24 H20 N4 O4 S2'
_space_group_crystal_system       monoclinic
_space_group_name_H-M_alt         'P 21/c'
loop_
 _space_group_symop_operation_xyz
 'x, y, z'
 '-x, y+1/2, -z+1/2'
 '-x, -y, -z'
 'x, -y-1/2, z-1/2'
_cell_length_a                    10.2345(12)
_cell_length_b                    8.5432(9)
_cell_length_c                    15.1234(18)
_cell_angle_alpha                 90
_cell_angle_beta                  101.234(5)
_cell_angle_gamma                 90
_cell_volume                      1297.1(3)
_cell_formula_units_Z             4
_refine_special_details
;
 Refinement of F^2^ against ALL reflections.  The weighted R-factor wR and
 goodness of fit S are based on F^2^, conventional R-factors R are based
 on F, with F set to zero for negative F^2^.
;
"""

ELEMENTS = ["C"] * 12 + ["H"] * 10 + ["N"] * 2 + ["O"] * 2 + ["S"]


def atom_loop(rng):
    lines = ["loop_"] + [" _atom_site_" + name for name in (
        "label", "type_symbol", "fract_x", "fract_y", "fract_z", "U_iso_or_equiv", "adp_type",
        "occupancy", "site_symmetry_order", "calc_flag", "refinement_flags_posn",
        "disorder_assembly", "disorder_group")]
    counts = {}
    for element in ELEMENTS * 2:
        counts[element] = counts.get(element, 0) + 1
        x, y, z = (rng.uniform(-0.5, 1.0) for _ in range(3))
        lines.append(f"{element}{counts[element]} {element} {x:.5f}({rng.randint(1, 9)}) "
                     f"{y:.5f}({rng.randint(1, 9)}) {z:.4f}({rng.randint(1, 9)}) "
                     f"0.0{rng.randint(100, 999)}(4) Uani 1 1 d . . .")
    return "\n".join(lines) + "\n"


def aniso_loop(rng):
    lines = ["loop_"] + [" _atom_site_aniso_" + name for name in ("label", "U_11", "U_22", "U_33")]
    for i in range(1, 13):
        lines.append(f"C{i} " + " ".join(f"0.0{rng.randint(100, 999)}(5)" for _ in range(3)))
    return "\n".join(lines) + "\n"


def reflection_lines(rng, size):
    """Reflections as a refinement program writes them, until `size` bytes."""
    out, written = [], 0
    while written < size:
        h, k, l = rng.randint(-13, 13), rng.randint(0, 11), rng.randint(0, 20)
        f2 = rng.uniform(0, 2000)
        line = f"{h:4d}{k:4d}{l:4d}{f2:8.2f}{f2 ** 0.5 / 4 + 0.5:8.2f}"
        out.append(line)
        written += len(line) + 1
    return out


def text_field(rng, size):
    return "_shelx_hkl_file\n;\n" + "\n".join(reflection_lines(rng, size)) + "\n;\n"


def reflection_loop(rng, size):
    head = "loop_\n" + "".join(f" _refln_{name}\n" for name in (
        "index_h", "index_k", "index_l", "F_squared_meas", "F_squared_sigma"))
    return head + "\n".join(reflection_lines(rng, size)) + "\n"


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in ("typical", "textfield", "loops"):
        sys.exit(__doc__)
    size = int(float(sys.argv[1]) * 1024 * 1024)
    layout = sys.argv[2]
    rng = random.Random(1)
    atoms = atom_loop(rng) + aniso_loop(rng)
    bulk = size - len(HEADER) - len(atoms)
    if layout == "typical":
        body = atoms + text_field(rng, bulk)
    elif layout == "textfield":
        body = text_field(rng, bulk) + atoms
    else:
        body = reflection_loop(rng, bulk) + atoms
    sys.stdout.write(HEADER + body)


if __name__ == "__main__":
    main()
