#pragma once
// The children the main window opens: forms, views and the component
// windows.

#include <QDialog>

#include "app/Guarded.h"
#include "app/MainForm.h"
#include "forms/Options.h"
#include "forms/Title.h"
#include "ui/UiHooks.h"
#include "forms/Layout.h"
#include "forms/SoilParams.h"
#include "forms/Foundations.h"
#include "forms/Multimat.h"
#include "forms/Tipsoil.h"
#include "forms/Massdata.h"
#include "forms/ncPileProperties.h"
#include "forms/cPileProperties.h"
#include "forms/harmonic.h"
#include "forms/Quadratic.h"
#include "forms/transient.h"
#include "forms/random.h"
#include "views/AmpPlot.h"
#include "views/PileTop.h"
#include "views/SideView.h"
#include "views/Block.h"
#include "tableeditor/Table.h"
#include "plotwindow/PlotForm.h"

namespace zrv::front {

/// The six display options of the 3D view in the order of the "Show 3D View"
/// menu: Foundation, Piles, Pile Numbers, Soil Layers, Soil Layer Labels,
/// Soil Layer Depth Labels.
inline bool option3D(const TDlgBlock& v, int k) {
  switch (k) {
    case 0: return v.FoundationVisible();
    case 1: return v.PilesVisible();
    case 2: return v.PileNumbersVisible();
    case 3: return v.SoilLayersVisible();
    case 4: return v.SoilLayerLabelsVisible();
    case 5: return v.SoilDepthLabelsVisible();
    default: return false;
  }
}

inline void toggle3DOption(TDlgBlock& v, int k) {
  switch (k) {
    case 0: v.ShowPileCapOption(); break;
    case 1: v.ShowAllPilesOption(); break;
    case 2: v.ShowPileNumbersOption(); break;
    case 3: v.ShowSoilLayersOption(); break;
    case 4: v.ShowSoilLayerLabelsOption(); break;
    case 5: v.ShowSoilLayerDepthLabelsOption(); break;
    default: break;
  }
}

template <class Form>
void TMainForm::openForm(TChildKind kind) {
  guarded([&] { ShowChild(m_children.get(kind, [this] { return new Form(*this); })); });
}

}  // namespace zrv::front
