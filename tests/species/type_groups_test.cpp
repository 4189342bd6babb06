#include "species/type_groups.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cif2at/failure.hpp"
#include "test_support.hpp"

namespace cif2at {
namespace {

AtomTable table(const std::vector<std::pair<const char*, const char*>>& label_and_symbol) {
  AtomTable atoms;
  for (const auto& [label, symbol] : label_and_symbol) {
    AtomSite site;
    site.label = Label(label);
    site.type_symbol = Label(symbol);
    atoms.push_back(site);
  }
  return atoms;
}

std::string order(const GroupedAtoms& grouped) {
  std::string text;
  for (const AtomSite& site : grouped.atoms) {
    text += std::string(site.label.view().substr(0, site.label.view().find(' '))) + "=" +
            std::to_string(site.species) + " ";
  }
  return text;
}

std::vector<int> counts(const GroupedAtoms& grouped) {
  return {grouped.summary.counts.begin(), grouped.summary.counts.begin() + grouped.summary.species_count};
}

TEST(Species, NumberedByFirstAppearanceAndGroupedStably) {
  struct Case {
    AtomTable atoms;
    const char* order;
    std::vector<int> counts;
  } cases[] = {
      {{}, "", {}},
      {table({{"Si1", "Si"}}), "Si1=1 ", {1}},
      {table({{"Si1", "Si"}, {"O1", "O"}, {"Si2", "Si"}, {"O2", "O"}}), "Si1=1 Si2=1 O1=2 O2=2 ", {2, 2}},
      {table({{"A", "Si"}, {"B", "SI"}, {"C", "Ca2+"}, {"D", "Ca"}}), "A=1 B=2 C=3 D=4 ", {1, 1, 1, 1}},
      {table({{"A", ""}, {"B", "O"}, {"C", "    "}}), "A=1 C=1 B=2 ", {2, 1}},
      {table({{"A", "O"}, {"B", "O"}, {"C", "O"}}), "A=1 B=1 C=1 ", {3}},
  };
  for (const Case& c : cases) {
    const GroupedAtoms grouped = group_species(c.atoms, "atom.cif");
    EXPECT_EQ(order(grouped), c.order);
    EXPECT_EQ(counts(grouped), c.counts) << c.order;
    EXPECT_EQ(grouped.summary.total, 0);  // formed once the counts are final
  }
}

TEST(Species, TenSpeciesFitAndAnEleventhIsRefused) {
  const char* symbols[] = {"H", "He", "Li", "Be", "B", "C", "N", "O", "F", "Ne", "Na"};
  AtomTable atoms;
  for (const char* symbol : symbols) atoms.push_back(table({{symbol, symbol}})[0]);
  atoms.push_back(atoms[0]);

  AtomTable ten(atoms.begin(), atoms.begin() + 10);
  ten.push_back(atoms[0]);
  const GroupedAtoms grouped = group_species(ten, "atom.cif");
  EXPECT_EQ(grouped.summary.species_count, 10);
  EXPECT_EQ(counts(grouped), (std::vector<int>{2, 1, 1, 1, 1, 1, 1, 1, 1, 1}));

  const auto failure = testing::failure_of([&] { group_species(atoms, "atom.cif"); });
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind(), FailureKind::BadValue);
  EXPECT_EQ(describe(*failure), "cif2at: atom.cif: more than 10 species: type symbol 'Na' would be the 11th");
}

}  // namespace
}  // namespace cif2at
