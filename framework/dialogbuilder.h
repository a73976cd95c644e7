#pragma once
// Controls of a dialog template made as Qt widgets, shared by dialogs and dialog bars.
#include "framework/dialogunits.h"
#include "framework/restypes.h"

#include <QPointer>
#include <QWidget>
#include <map>

namespace fw {

inline constexpr const char* kControlIdProperty = "fwControlId";

// Makes each control of the template as a child of parent at its pixel position; returns them by id
// (controls with IDC_STATIC are made but not listed). Group boxes are placed behind the other controls.
std::map<int, QPointer<QWidget>> BuildDialogControls(QWidget* parent, const DialogTemplate& tmpl,
                                                     const CDialogUnits& units);
// The id a control was made with, or IDC_STATIC.
int ControlId(const QWidget* control);

} // namespace fw
