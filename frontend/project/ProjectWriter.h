#pragma once
// The texts of the three project files. The project file is at the same
// time the engine's input deck; its tail after "RUN" (the mass components
// and the reference points) is read only by the project reader. Building a
// text sets the flags that the files derive (Battered, WeakZone,
// SideCapWeakened, MassComponentCount, EmbedDepth and the geometry
// defaults), as a save does.

#include <string>

namespace zrv::front {

class TProgramData;

/// Raises EProjectError naming the table when a count that the project file
/// does not carry disagrees with the table that the reader would fill from it
/// (soil rows of a pile project, soil-column rows of a multilayer project,
/// amplitude rows of transient and random loads).
void checkWritable(const TProgramData& project);

/// The project file (.zvd), LF line ends.
std::string projectFileText(TProgramData& project);
/// The mass file (.zvm).
std::string massFileText(TProgramData& project);
/// The geometry file (.zvt) for the external viewer.
std::string geometryFileText(TProgramData& project);

}  // namespace zrv::front
