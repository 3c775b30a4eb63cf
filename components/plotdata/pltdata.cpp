#include "plotdata/pltdata.h"

#include "base/exceptions.h"
#include "base/numbers.h"
#include "units/units.h"

namespace zrv::comp {

TGraphPlot::TGraphPlot() = default;
TGraphPlot::~TGraphPlot() = default;

void TGraphPlot::SetUnits(int v) { m_units = v > 3 ? 3 : (v < 1 ? 1 : v); }

TGraphPlot::LineList& TGraphPlot::list(int which) {
  if (which < 1 || which > 4) throw EListError(list_index_message(which));
  return m_lines[which - 1];
}

const TGraphPlot::LineList& TGraphPlot::list(int which) const {
  if (which < 1 || which > 4) throw EListError(list_index_message(which));
  return m_lines[which - 1];
}

int TGraphPlot::PointCount(int which) const {
  const auto& l = list(which);
  return l.empty() ? 0 : static_cast<int>(l.front()->Points().size());
}

int TGraphPlot::LineCount(int which) const { return static_cast<int>(list(which).size()); }

TLine& TGraphPlot::Line(int k, int which) {
  auto& l = list(which);
  if (k < 0 || k >= static_cast<int>(l.size())) throw EListError(list_index_message(k));
  return *l[static_cast<std::size_t>(k)];
}

const TLine& TGraphPlot::Line(int k, int which) const {
  const auto& l = list(which);
  if (k < 0 || k >= static_cast<int>(l.size())) throw EListError(list_index_message(k));
  return *l[static_cast<std::size_t>(k)];
}

TFloatPoint& TGraphPlot::Point(int k, int i, int which) {
  auto& pts = Line(k, which).Points();
  if (i < 0 || i >= static_cast<int>(pts.size())) throw EListError(list_index_message(i));
  return pts[static_cast<std::size_t>(i)];
}

void TGraphPlot::SetPointCount(int n) {
  if (n < 0) n = 0;
  for (auto& line : m_lines[0]) line->Points().resize(static_cast<std::size_t>(n));
}

void TGraphPlot::SetLineCount(int n) {
  if (n < 0) n = 0;
  auto& l = m_lines[0];
  if (static_cast<int>(l.size()) > n) l.resize(static_cast<std::size_t>(n));
  const int points = PointCount();
  while (static_cast<int>(l.size()) < n) {
    auto line = std::make_unique<TLine>(this, static_cast<Extended>(l.size() + 1));
    line->Points().resize(static_cast<std::size_t>(points));
    l.push_back(std::move(line));
  }
}

std::string TGraphPlot::CurveDisplayName(int k) const {
  const TLine& line = Line(k);
  std::string name;
  if (!line.Name.empty())
    name = line.Name;
  else if (k < static_cast<int>(DefaultNames.size()))
    name = DefaultNames[static_cast<std::size_t>(k)];
  else
    name = CurveName + format_general(line.Number(), 15);
  if (onGetCaption) onGetCaption(k, name);
  return name;
}

std::string TGraphPlot::UnitCaption(const std::string& code) const { return PlotUnitText(code, m_units); }

void TGraphPlot::Show() {
  if (!m_window) {
    if (!m_factory) return;
    m_window = m_factory(*this);
    if (!m_window) return;
  }
  m_window->ShowWindow();
}

void TGraphPlot::WindowClosed() { m_window.reset(); }

}  // namespace zrv::comp
