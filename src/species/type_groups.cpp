#include "species/type_groups.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "cif2at/failure.hpp"

namespace cif2at {

GroupedAtoms group_species(const AtomTable& atoms, std::string_view file_name) {
  GroupedAtoms grouped;
  std::vector<Label> symbols;  // symbol of species k at index k - 1
  grouped.atoms = atoms;
  for (AtomSite& site : grouped.atoms) {
    const auto known = std::find(symbols.begin(), symbols.end(), site.type_symbol);
    if (known == symbols.end() && symbols.size() == static_cast<std::size_t>(kMaxSpecies)) {
      std::string symbol(site.type_symbol.view());
      symbol.erase(symbol.find_last_not_of(' ') + 1);
      throw Failure(FailureKind::BadValue, std::string(file_name), 0,
                    "more than " + std::to_string(kMaxSpecies) + " species: type symbol '" +
                        symbol + "' would be the " +
                        std::to_string(kMaxSpecies + 1) + "th");
    }
    const auto index = static_cast<std::size_t>(known - symbols.begin());
    if (known == symbols.end()) symbols.push_back(site.type_symbol);
    site.species = static_cast<int>(index) + 1;
    ++grouped.summary.counts[static_cast<std::size_t>(site.species - 1)];
  }
  grouped.summary.species_count = static_cast<int>(symbols.size());
  std::stable_sort(grouped.atoms.begin(), grouped.atoms.end(),
                   [](const AtomSite& a, const AtomSite& b) { return a.species < b.species; });
  return grouped;
}

}  // namespace cif2at
