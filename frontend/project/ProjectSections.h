#pragma once
// The record sections of a project file, in file order, with the foundation
// types each belongs to. The writer and the reader walk this one table, so
// that what is written and what is read back stay in step: each section has
// its writing function (ProjectWriter.cpp) and its reading function
// (ProjectReader.cpp).

#include <array>
#include <string>

namespace zrv::front {

class TProgramData;

namespace deck {

class Lines;       // the text being written
class DeckReader;  // the file being read
struct Staged;     // what was read so far

/// Foundation types as bits of a section's set.
enum FoundationBit : unsigned {
  kHalfSpace = 1u,
  kPile = 2u,
  kStratum = 4u,
  kMultilayer = 8u,
  kAnyFoundation = kHalfSpace | kPile | kStratum | kMultilayer,
};

/// The bit of a foundation type text ("PILE"); 0 for a text that names none.
unsigned foundationBit(const std::string& type);

struct Section {
  const char* name;
  unsigned foundations;  // the types whose files hold the section
  void (*write)(Lines& out, TProgramData& project);
  void (*read)(DeckReader& in, Staged& staged);
};

void writeHeader(Lines& out, TProgramData& p);
void writePiles(Lines& out, TProgramData& p);
void writeLayerCount(Lines& out, TProgramData& p);
void writeConstants(Lines& out, TProgramData& p);
void writeElements(Lines& out, TProgramData& p);
void writePileTips(Lines& out, TProgramData& p);
void writeStratumSoil(Lines& out, TProgramData& p);
void writeMultilayerSoil(Lines& out, TProgramData& p);
void writeHalfSpaceSoil(Lines& out, TProgramData& p);
void writePileSoil(Lines& out, TProgramData& p);
void writeSoilBelow(Lines& out, TProgramData& p);
void writeSideCap(Lines& out, TProgramData& p);
void writeLoad(Lines& out, TProgramData& p);
void writeTail(Lines& out, TProgramData& p);

void readHeader(DeckReader& in, Staged& s);
void readPiles(DeckReader& in, Staged& s);
void readLayerCount(DeckReader& in, Staged& s);
void readConstants(DeckReader& in, Staged& s);
void readElements(DeckReader& in, Staged& s);
void readPileTips(DeckReader& in, Staged& s);
void readStratumSoil(DeckReader& in, Staged& s);
void readMultilayerSoil(DeckReader& in, Staged& s);
void readHalfSpaceSoil(DeckReader& in, Staged& s);
void readPileSoil(DeckReader& in, Staged& s);
void readSoilBelow(DeckReader& in, Staged& s);
void readSideCap(DeckReader& in, Staged& s);
void readLoad(DeckReader& in, Staged& s);
void readTail(DeckReader& in, Staged& s);

// The header comes first: it names the foundation type that chooses the
// sections after it.
inline constexpr std::array<Section, 14> kSections = {{
    {"header", kAnyFoundation, writeHeader, readHeader},
    {"piles", kPile, writePiles, readPiles},
    {"layer count", kMultilayer, writeLayerCount, readLayerCount},
    {"constants", kAnyFoundation, writeConstants, readConstants},
    {"elements", kPile | kMultilayer, writeElements, readElements},
    {"pile tips", kPile, writePileTips, readPileTips},
    {"stratum soil", kStratum, writeStratumSoil, readStratumSoil},
    {"multilayer soil", kMultilayer, writeMultilayerSoil, readMultilayerSoil},
    {"half-space soil", kHalfSpace, writeHalfSpaceSoil, readHalfSpaceSoil},
    {"pile soil", kPile, writePileSoil, readPileSoil},
    {"soil below", kHalfSpace | kPile | kMultilayer, writeSoilBelow, readSoilBelow},
    {"side cap", kPile, writeSideCap, readSideCap},
    {"load", kAnyFoundation, writeLoad, readLoad},
    {"tail", kAnyFoundation, writeTail, readTail},
}};

}  // namespace deck
}  // namespace zrv::front
