#pragma once
// The open project: its scalar data, the thirteen tables that hold its row
// data, its modified state, and the operations that make, switch, write and
// read it. Lengths, forces and masses are held in the project's unit system;
// frequencies in hertz. The model knows no window: the window closes its
// children before it replaces a project and refreshes its forms after a
// unit switch.

#include <array>
#include <memory>
#include <string>
#include <utility>

#include "base/exceptions.h"
#include "base/types.h"
#include "project/FileStamp.h"
#include "project/TProjectTables.h"

namespace zrv::front {

/// A project that cannot be written consistently; the message names the table.
class EProjectError : public comp::Exception {
public:
  explicit EProjectError(const std::string& message) : comp::Exception(message) {}
};

/// The scalar data of a project. Every field starts at zero or empty.
struct TProjectFields {
  // Project and files.
  int UnitSystem = 0;  // 1 English (ft, lbs, slug), 2 SI (m, kN, Mg)
  std::string FileName;
  std::string GeometryFileName;
  std::string MassFileName;
  std::string ProjectTitle;
  std::string FoundationType;  // "HALF-SPACE", "PILE", "STRATUM" or "MULTILAYER"
  int FoundationCode = 0;      // 1 to 4 in the order above
  std::string LoadingText;     // the loading line as read from a file
  int LoadType = 0;            // 1 harmonic, 2 transient, 3 random
  int QuadraticLoad = 0;
  int GenerateMatrix = 0;

  // Foundation geometry.
  int CircularShape = 0;
  Extended Radius = 0, LengthX = 0, WidthY = 0, WidthCopy = 0;
  Extended EmbedDepth = 0;
  Extended BaseX = 0, BaseY = 0, BaseZ = 0;
  Extended BaseDepth = 0, BedrockDepth = 0;
  Extended CBLocalX = 0, CBLocalY = 0, CBLocalZ = 0;
  Extended CBGlobalX = 0, CBGlobalY = 0, CBGlobalZ = 0;
  Extended CGLocalX = 0, CGLocalY = 0, CGLocalZ = 0;
  Extended ElementLengthSum = 0;

  // Mass: total mass, Ixx, Iyy, Izz, Ixy, Ixz, Iyz.
  std::array<Extended, 7> MassProperties{};
  int MassComponentCount = 0;
  std::array<Extended, 21> MassCGX{}, MassCGY{}, MassCGZ{};

  // Piles and elements.
  Extended PileLength = 0, PileUnitWeight = 0, StaticLoad = 0, PilePoisson = 0, PileDamping = 0;
  Extended ShearRigidityCoef = 0, PileModulus = 0;
  int PileHeadFixed = 0;
  int EndBearing = 0;
  int PileInteraction = 0;
  std::string PileHeadText, TipTypeText, InteractionText;
  unsigned char Battered = 0;
  unsigned char SideCapWeakened = 0;
  unsigned char WeakZone = 0;

  // Soil below the footing or the pile tips.
  Extended TipShearWaveVelocity = 0, TipUnitWeight = 0, TipDamping = 0, TipPoisson = 0;

  // Loading.
  Extended MaxFrequency = 0, MinFrequency = 0, FrequencyStep = 0;  // Hz
  Extended ForceX = 0, ForceY = 0, ForceZ = 0, MomentX = 0, MomentY = 0, MomentZ = 0;
  Extended LoadPointX = 0, LoadPointY = 0, LoadPointZ = 0;
  int LoadPointReference = 0;  // 0 about the C.G., 1 about the centre of the base
  Extended TimeStep = 0;
  Extended RandomMaxFrequency = 0, RandomMinFrequency = 0, ObservationPeriod = 0;  // Hz, s
  int PointCount = 0;
  int LoadTypeCount = 0;
};

/// A project as read from a file, before it replaces the open one: its
/// scalar data (FileName the path read) and the contents of its tables.
struct TProjectImage {
  TProjectFields fields;
  std::array<TTableImage, TProjectTables::kCount> tables;
};

class TProgramData : public TProjectFields {
public:
  /// The file name of a project that was never saved.
  static constexpr const char* kNewFileName = "NewData.zvd";

  /// A new, unsaved project: resets the tables to one empty SI row each; not
  /// modified.
  explicit TProgramData(TProjectTables& tables);

  /// Reads a project file completely into an image; `tables` gives only the
  /// tables' columns and nothing changes. Raises comp::EInOutError for a file
  /// that cannot be read, ends early or differs from what the writer writes,
  /// comp::EConvertError for a text that is not a number.
  static TProjectImage ReadFile(const std::string& path, const TProjectTables& tables);
  /// The project of `image`, its rows put into `tables`; not modified.
  static std::unique_ptr<TProgramData> FromImage(const TProjectImage& image, TProjectTables& tables);
  /// ReadFile, then FromImage: on any error the tables stay as they were.
  static std::unique_ptr<TProgramData> CreateFromFile(const std::string& path, TProjectTables& tables);

  /// Writes the project file (FileName), the mass file (.zvm) and the
  /// geometry file (.zvt), all three first to temporary files, then renamed
  /// over the old ones. Raises EProjectError naming the table when the
  /// project cannot be written consistently, comp::EInOutError when a file
  /// cannot be written; either way the old files stay whole and the project
  /// is marked modified. Clears the modified state when all were written,
  /// and the project file's text becomes its DiskStamp.
  void WriteInputFiles();

  /// What the program last read from or wrote to the project file (FileName):
  /// the window sets it when it opens the file, WriteInputFiles renews it.
  const TFileStamp& DiskStamp() const { return m_diskStamp; }
  void SetDiskStamp(TFileStamp stamp) { m_diskStamp = std::move(stamp); }

  /// Switches to unit system 1 or 2 (other values clamped): converts the
  /// dimensioned scalar fields by the unit table's force (F), length (L2) and
  /// mass (F6) factors, the same that rescale the tables, so that a switch
  /// there and back restores every value; then every table. Choosing the
  /// current system changes nothing.
  void SetUnitSystem(int system);

  /// True when the project was changed since it was made, read or saved:
  /// marked so, or some table reports a change.
  bool Modified() const;
  /// Marks the project changed, or unchanged (also every table).
  void SetModified(bool modified);

  /// The scalar data of a new project: SI, "New Pile", a half-space with a
  /// weakened side zone, fixed pile heads with interaction, the stiffness
  /// matrix asked for, harmonic load.
  static TProjectFields newProjectFields();

  TProjectTables& tables() const { return m_tables; }

private:
  TProjectTables& m_tables;
  bool m_modified = false;
  TFileStamp m_diskStamp;
};

}  // namespace zrv::front
