// The editor's "PCB:" command processes, run on the library document behind a view.
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "host/editor/Document.h"

namespace gorvath {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (up(a[i]) != up(b[i])) return false;
  }
  return true;
}

// The value of the first "|"-separated Name=Value segment of that name.
std::optional<std::string_view> Parameter(std::string_view text, std::string_view name) {
  while (true) {
    std::size_t bar = text.find('|');
    std::string_view segment = text.substr(0, bar);
    std::size_t eq = segment.find('=');
    if (eq != std::string_view::npos && SameName(segment.substr(0, eq), name))
      return segment.substr(eq + 1);
    if (bar == std::string_view::npos) return std::nullopt;
    text.remove_prefix(bar + 1);
  }
}

// A location in mils (a decimal number) as Coord, 10000 to the mil.
std::optional<int64_t> MilsToCoord(std::string_view text) {
  text = Trim(text);
  double mils = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), mils);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(mils))
    return std::nullopt;
  double coord = std::round(mils * 10000.0);
  if (std::fabs(coord) > 4294967295.0) return std::nullopt;
  return static_cast<int64_t>(coord);
}

bool Fits(int64_t v) {
  return v >= std::numeric_limits<Coord>::min() && v <= std::numeric_limits<Coord>::max();
}

// Moves a footprint's origin to (dx, dy) of its own frame; refuses when a coordinate would leave
// the Coord range, before changing anything.
bool MoveOrigin(ComponentObject& footprint, int64_t dx, int64_t dy) {
  auto points = [&](auto&& visit) {
    for (auto& list : footprint.primitives)
      for (Object* o : list) {
        visit(o->common.X, o->common.Y);
        if (o->kind == kTrack) {
          auto& r = static_cast<TrackObject*>(o)->rec;
          visit(r.X2, r.Y2);
        } else if (o->kind == kFill) {
          auto& r = static_cast<FillObject*>(o)->rec;
          visit(r.X2, r.Y2);
        }
      }
  };
  bool fits = true;
  points([&](Coord x, Coord y) { fits = fits && Fits(x - dx) && Fits(y - dy); });
  if (!fits) return false;
  points([&](Coord& x, Coord& y) {
    x = static_cast<Coord>(x - dx);
    y = static_cast<Coord>(y - dy);
  });
  return true;
}

}  // namespace

bool RunProcess(Editor& editor, std::string_view name, std::string_view parameters,
                ObjectHandle view, std::string& error) {
  const View* v = editor.Find<View>(view);
  if (!v) {
    error = "no document view " + std::to_string(view);
    return false;
  }
  Document& doc = *v->document;
  auto require = [&](std::string_view parameter) -> std::optional<std::string_view> {
    auto value = Parameter(parameters, parameter);
    if (!value) error = std::string(name) + ": parameter " + std::string(parameter) + " missing";
    return value;
  };
  if (!doc.IsLibrary() && !SameName(name, "PCB:Zoom")) {
    error = std::string(name) + ": " + doc.FileName() + " is not a library";
    return false;
  }
  if (SameName(name, "PCB:CreateComponent")) {
    auto footprint = require("FootPrint");
    if (!footprint) return false;
    auto* component = static_cast<ComponentObject*>(editor.CreateObject(kComponent));
    component->rec.Pattern.value = std::string(footprint->substr(0, 250));
    doc.Add(*component);
    doc.SetCurrentFootprint(component);
    return true;
  }
  if (SameName(name, "PCB:SetComponentReference")) {
    auto x = require("Location.X");
    if (!x) return false;
    auto y = require("Location.Y");
    if (!y) return false;
    auto dx = MilsToCoord(*x), dy = MilsToCoord(*y);
    if (!dx || !dy) {
      error = std::string(name) + ": location is not a number of mils";
      return false;
    }
    ComponentObject* footprint = doc.CurrentFootprint();
    if (!footprint) {
      error = std::string(name) + ": no footprint is being edited";
      return false;
    }
    if (!MoveOrigin(*footprint, *dx, *dy)) {
      error = std::string(name) + ": the footprint would leave the coordinate range";
      return false;
    }
    ++doc.changes;
    return true;
  }
  if (SameName(name, "PCB:Zoom")) return true;  // only the view changes
  if (SameName(name, "PCB:DeleteComponentFromLibrary")) {
    auto footprint = require("FootPrint");
    if (!footprint) return false;
    for (ComponentObject* c : doc.Footprints())
      if (c->rec.Pattern.value == *footprint) {
        doc.Remove(*c);
        return true;
      }
    error = std::string(name) + ": no footprint " + std::string(*footprint);
    return false;
  }
  if (SameName(name, "PCB:FirstComponent")) {
    auto footprints = doc.Footprints();
    if (footprints.empty()) {
      error = std::string(name) + ": the library holds no footprint";
      return false;
    }
    doc.SetCurrentFootprint(footprints.front());
    return true;
  }
  error = "unknown process " + std::string(name);
  return false;
}

}  // namespace gorvath
