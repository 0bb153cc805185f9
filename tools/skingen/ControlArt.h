#pragma once
// The looks of the controls, by state: push-button faces, entry fields, check marks, scroll-bar
// parts. Every record of the skin that shows one of these draws it through here, so that all
// controls share one set of states.

#include "tools/skingen/Paint.h"

namespace skingen {

enum class TState { Normal, Hot, Down, Disabled, Focused };

// Push buttons: light face, accent border when hot, pressed-in accent face when down.
[[nodiscard]] TFace ButtonFace(TState s, double radius = 3);
// The program's main action: filled with the accent.
[[nodiscard]] TFace PrimaryFace(TState s, double radius = 3);
// Flat tool buttons: invisible until the pointer is over them.
[[nodiscard]] TFace ToolFace(TState s, double radius = 3);
// Entry fields (edits, combo boxes, memos): white, accent border when focused or hot.
[[nodiscard]] TFace FieldFace(TState s, double radius = 3);
// A selected row or item: soft accent pill; Focused adds an accent border.
[[nodiscard]] TFace SelectionFace(TState s, double radius = 3);

[[nodiscard]] TColor ButtonTextColor(TState s);

// A field's focus look: accent border with a soft accent ring inside it.
void PaintFocusedField(TRaster& r, const TRectF& box, double radius = 3);

void PaintCheckBox(TRaster& r, const TRectF& box, bool checked, TState s);
void PaintRadioButton(TRaster& r, const TRectF& box, bool checked, TState s);
void PaintSwitch(TRaster& r, const TRectF& box, bool on, TState s);

// A small square button inside a field or a scroll bar: background for the state and an arrow.
void PaintArrowButton(TRaster& r, const TRectF& box, TDirection dir, TState s, TColor normalBackground,
                      double radius = 2, double arrowSize = 3.5);
// A scroll-bar thumb lying along the track (vertical: taller than wide).
void PaintThumb(TRaster& r, const TRectF& box, bool vertical, TState s, TColor background);

}  // namespace skingen
