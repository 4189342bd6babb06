#!/usr/bin/env python3
"""Writes COUNT small refinement CIFs (10-40 KB each) into DIR, for timing
cif2at-batch against one cif2at run per file.

Each file is laid out as a refinement program writes it: audit and crystal
items, a symmetry loop, the cell, diffraction and refinement items, the atom
types, the atom-site loop (20 to 72 non-hydrogen sites and their hydrogens,
at most 190 in all, of up to six species), the anisotropic displacement loop,
bond, angle and torsion loops, and the refinement instructions as a text
field. The files differ in their numbers,
sizes and order of some items; the same SEED gives the same files.

Usage: make_small_cifs.py DIR [COUNT] [SEED]   (COUNT defaults to 10000)
"""

import os
import random
import sys

SPACE_GROUPS = [
    ("P 21/c", 14, "monoclinic", ["x, y, z", "-x, y+1/2, -z+1/2", "-x, -y, -z", "x, -y-1/2, z-1/2"]),
    ("P -1", 2, "triclinic", ["x, y, z", "-x, -y, -z"]),
    ("C 2/c", 15, "monoclinic", ["x, y, z", "-x, y, -z+1/2", "x+1/2, y+1/2, z", "-x+1/2, y+1/2, -z+1/2",
                                 "-x, -y, -z", "x, -y, z-1/2", "-x+1/2, -y+1/2, -z", "x+1/2, -y+1/2, z-1/2"]),
    ("P 21 21 21", 19, "orthorhombic", ["x, y, z", "-x+1/2, -y, z+1/2", "-x, y+1/2, -z+1/2",
                                        "x+1/2, -y+1/2, -z"]),
    ("P b c a", 61, "orthorhombic", ["x, y, z", "-x+1/2, -y, z+1/2", "x+1/2, -y+1/2, -z", "-x, y+1/2, -z+1/2",
                                     "-x, -y, -z", "x-1/2, y, -z-1/2", "-x-1/2, y-1/2, z", "x, -y-1/2, z-1/2"]),
]

HEAVY = ["Cl", "S", "Br", "P", "Cu", "Zn", "Fe", "Ni", "Co", "F"]
WEIGHTS = {"C": 12.011, "H": 1.008, "N": 14.007, "O": 15.999, "Cl": 35.45, "S": 32.06, "Br": 79.904,
           "P": 30.974, "Cu": 63.546, "Zn": 65.38, "Fe": 55.845, "Ni": 58.693, "Co": 58.933, "F": 18.998}


def su(value, decimals, rng):
    """A value with its standard uncertainty in parentheses, as refinement programs write it."""
    return f"{value:.{decimals}f}({rng.randint(1, 29)})"


def cell_items(rng, system):
    a, b, c = (rng.uniform(5.0, 25.0) for _ in range(3))
    alpha = beta = gamma = 90.0
    if system == "monoclinic":
        beta = rng.uniform(92.0, 118.0)
    elif system == "triclinic":
        alpha, beta, gamma = (rng.uniform(70.0, 110.0) for _ in range(3))
    angle = (lambda v: "90" if v == 90.0 else su(v, 3, rng))
    items = [("_cell_length_a", su(a, 4, rng)), ("_cell_length_b", su(b, 4, rng)),
             ("_cell_length_c", su(c, 4, rng)), ("_cell_angle_alpha", angle(alpha)),
             ("_cell_angle_beta", angle(beta)), ("_cell_angle_gamma", angle(gamma))]
    volume = a * b * c
    return items, volume


def atoms_of(rng):
    """(label, type symbol) pairs: carbons, nitrogens, oxygens, a few heavier atoms, then hydrogens."""
    heavy = rng.sample(HEAVY, rng.randint(0, 2))
    non_h = rng.randint(20, 72)
    counts = {"C": 0, "H": 0, "N": 0, "O": 0}
    for element in heavy:
        counts[element] = 0
    atoms = []
    for _ in range(non_h):
        element = rng.choices(["C", "N", "O"] + heavy, [70, 12, 14] + [3] * len(heavy))[0]
        counts[element] += 1
        atoms.append((f"{element}{counts[element]}", element))
    carbons = [label for label, element in atoms if element == "C"]
    for carbon in carbons:
        for suffix in ("A", "B", "C")[: rng.choice((0, 1, 1, 2, 2, 3))]:
            if len(atoms) >= 190:
                break
            atoms.append((f"H{carbon[1:]}{suffix}", "H"))
    return atoms


def text_block(rng, atoms, cell):
    lines = ["TITL structure in P21/c", "CELL 0.71073 " + " ".join(v.split("(")[0] for _, v in cell),
             "ZERR 4.00 0.0012 0.0015 0.0021 0.000 0.012 0.000", "LATT 1", "SYMM -X, 0.5+Y, 0.5-Z",
             "SFAC " + " ".join(sorted({e for _, e in atoms})), "L.S. 10", "BOND $H", "FMAP 2", "PLAN 20",
             "ACTA", "CONF", "WGHT    0.048100    0.861200", "FVAR       0.41326"]
    for index, (label, element) in enumerate(atoms):
        x, y, z = (rng.random() for _ in range(3))
        lines.append(f"{label:<5}{index % 4 + 1:3d} {x:10.6f} {y:10.6f} {z:10.6f} 11.00000 {rng.uniform(0.01, 0.08):9.5f}")
    lines += ["HKLF 4", "", "REM  structure in P21/c", "END"]
    return lines


def write_cif(path, index, rng):
    name = f"s{index:05d}"
    group, number, system, symops = rng.choice(SPACE_GROUPS)
    cell, volume = cell_items(rng, system)
    atoms = atoms_of(rng)
    formula = {}
    for _, element in atoms:
        formula[element] = formula.get(element, 0) + 1
    weight = sum(WEIGHTS[e] * n for e, n in formula.items())
    out = []
    if rng.random() < 0.3:
        out += ["data_global", "_publ_contact_author_name 'A. N. Author'", "_publ_section_title", ";",
                f"Crystal structure of compound {name}", ";", ""]
    out += [f"data_{name}", "", "_audit_creation_date             2019-05-17",
            "_audit_creation_method           'SHELXL-2018/3'",
            "_shelx_SHELXL_version_number     2018/3",
            "_chemical_name_systematic        ?", "_chemical_name_common            ?",
            "_chemical_melting_point          ?",
            "_chemical_formula_moiety         '" + " ".join(f"{e}{n}" for e, n in sorted(formula.items())) + "'",
            "_chemical_formula_sum            '" + " ".join(f"{e}{n}" for e, n in sorted(formula.items())) + "'",
            f"_chemical_formula_weight         {weight:.2f}", "",
            "loop_", " _atom_type_symbol", " _atom_type_description", " _atom_type_scat_dispersion_real",
            " _atom_type_scat_dispersion_imag", " _atom_type_scat_source"]
    for element in sorted(formula):
        out.append(f" '{element}' '{element}' {rng.uniform(0, 0.3):.4f} {rng.uniform(0, 1.5):.4f}")
        out.append(" 'International Tables Vol C Tables 4.2.6.8 and 6.1.1.4'")
    out += ["", f"_space_group_crystal_system      {system}", f"_space_group_IT_number           {number}",
            f"_space_group_name_H-M_alt        '{group}'", "", "loop_", " _space_group_symop_operation_xyz"]
    out += [f" '{op}'" for op in symops]
    out.append("")
    if rng.random() < 0.5:
        cell = sorted(cell)  # as some databases write them
    out += [f"{n:<33}{v}" for n, v in cell]
    out += [f"_cell_volume                     {su(volume, 1, rng)}",
            f"_cell_formula_units_Z            {len(symops)}",
            f"_cell_measurement_temperature    {rng.choice([100, 120, 150, 173, 293])}(2)",
            f"_cell_measurement_reflns_used    {rng.randint(2000, 9999)}",
            f"_cell_measurement_theta_min      {rng.uniform(2, 3):.2f}",
            f"_cell_measurement_theta_max      {rng.uniform(25, 30):.2f}", "",
            "_exptl_crystal_description       block", "_exptl_crystal_colour            colourless",
            f"_exptl_crystal_density_diffrn    {rng.uniform(1.1, 1.9):.3f}",
            f"_exptl_crystal_F_000             {rng.randint(200, 2000)}",
            f"_exptl_absorpt_coefficient_mu    {rng.uniform(0.05, 3):.3f}",
            "_exptl_absorpt_correction_type   multi-scan", "",
            "_diffrn_ambient_temperature      100(2)", "_diffrn_radiation_wavelength     0.71073",
            "_diffrn_radiation_type           MoK\\a", "_diffrn_measurement_device_type  'area detector'",
            f"_diffrn_reflns_number            {rng.randint(5000, 60000)}",
            f"_diffrn_reflns_av_R_equivalents  {rng.uniform(0.02, 0.08):.4f}",
            f"_diffrn_reflns_theta_max         {rng.uniform(25, 30):.3f}", "",
            f"_refine_ls_number_reflns         {rng.randint(2000, 9000)}",
            f"_refine_ls_number_parameters     {9 * len(atoms)}",
            f"_refine_ls_R_factor_all          {rng.uniform(0.03, 0.09):.4f}",
            f"_refine_ls_wR_factor_ref         {rng.uniform(0.08, 0.2):.4f}",
            f"_refine_ls_goodness_of_fit_ref   {rng.uniform(0.95, 1.1):.3f}", "",
            "loop_", " _atom_site_label", " _atom_site_type_symbol", " _atom_site_fract_x", " _atom_site_fract_y",
            " _atom_site_fract_z", " _atom_site_U_iso_or_equiv", " _atom_site_adp_type", " _atom_site_occupancy",
            " _atom_site_site_symmetry_order", " _atom_site_calc_flag", " _atom_site_refinement_flags_posn",
            " _atom_site_disorder_assembly", " _atom_site_disorder_group"]
    for label, element in atoms:
        x, y, z = (rng.random() for _ in range(3))
        if element == "H":
            out.append(f"{label} H {x:.6f} {y:.6f} {z:.6f} {rng.uniform(0.02, 0.06):.6f} Uiso 1 1 calc R . .")
        else:
            out.append(f"{label} {element} {su(x, 5, rng)} {su(y, 5, rng)} {su(z, 5, rng)} "
                       f"{su(rng.uniform(0.01, 0.05), 4, rng)} Uani 1 1 d . . .")
    non_h = [label for label, element in atoms if element != "H"]
    out += ["", "loop_", " _atom_site_aniso_label"] + [f" _atom_site_aniso_U_{ij}" for ij in
                                                          ("11", "22", "33", "23", "13", "12")]
    for label in non_h:
        out.append(label + " " + " ".join(su(rng.uniform(-0.01, 0.05), 4, rng) for _ in range(6)))
    out += ["", "_geom_special_details", ";",
            " All esds (except the esd in the dihedral angle between two l.s. planes)",
            " are estimated using the full covariance matrix.", ";", "",
            "loop_", " _geom_bond_atom_site_label_1", " _geom_bond_atom_site_label_2", " _geom_bond_distance",
            " _geom_bond_site_symmetry_2", " _geom_bond_publ_flag"]
    for a, b in zip(non_h, non_h[1:] + non_h[:1]):
        out.append(f"{a} {b} {su(rng.uniform(1.2, 1.6), 3, rng)} . ?")
    out += ["", "loop_", " _geom_angle_atom_site_label_1", " _geom_angle_atom_site_label_2",
            " _geom_angle_atom_site_label_3", " _geom_angle", " _geom_angle_site_symmetry_1",
            " _geom_angle_site_symmetry_3", " _geom_angle_publ_flag"]
    for a, b, c in zip(non_h, non_h[1:], non_h[2:]):
        out.append(f"{a} {b} {c} {su(rng.uniform(105, 125), 1, rng)} . . ?")
    out += ["", "loop_", " _geom_torsion_atom_site_label_1", " _geom_torsion_atom_site_label_2",
            " _geom_torsion_atom_site_label_3", " _geom_torsion_atom_site_label_4", " _geom_torsion",
            " _geom_torsion_site_symmetry_1", " _geom_torsion_site_symmetry_2",
            " _geom_torsion_site_symmetry_3", " _geom_torsion_site_symmetry_4", " _geom_torsion_publ_flag"]
    for a, b, c, d in zip(non_h, non_h[1:], non_h[2:], non_h[3:]):
        out.append(f"{a} {b} {c} {d} {su(rng.uniform(-180, 180), 1, rng)} . . . . ?")
    out += ["", "_refine_diff_density_max    " + f"{rng.uniform(0.2, 0.6):.3f}",
            "_refine_diff_density_min   " + f"{-rng.uniform(0.2, 0.6):.3f}", "",
            "_shelx_res_file", ";"] + text_block(rng, atoms, cell) + [";", "_shelx_res_checksum   " +
                                                                       str(rng.randint(10000, 99999)), ""]
    with open(path, "w", encoding="ascii") as f:
        f.write("\n".join(out) + "\n")


def main():
    if len(sys.argv) < 2 or len(sys.argv) > 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    directory = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    os.makedirs(directory, exist_ok=True)
    for index in range(count):
        write_cif(os.path.join(directory, f"s{index:05d}.cif"), index, rng)


if __name__ == "__main__":
    main()
