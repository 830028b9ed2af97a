#pragma once

// What a screen reader learns about the kit's clickable captions. A QLabel reports itself as static text with no
// action, so a caption the user presses (a menu entry, a link, an icon, the text beside a tick box) would be read
// out as words that cannot be used. The kit's own accessibility interfaces say what each one is:
//
//   ChoiceLabel in a ChoiceGroup   radio button, checked while chosen; action: toggle
//   ChoiceLabel on its own         check box, checked while chosen; action: toggle
//   LinkLabel                      link; action: press
//   other ClickableLabel, IconLabel button; action: press
//   any of them with a buddy       the label of its buddy (the text beside a tick box, the picture beside a
//                                  menu caption): the buddy is the control; action: press, as a click does
//   one whose clicks nobody hears  a picture or a text, with no action
//
// The name is the accessible name when one is set, else the caption, else the tooltip; the description is the
// accessible description, else the tooltip when it says more than the name. Actions are offered only while the
// caption is enabled, as Qt's own buttons do.
namespace AccessibleLabels {
// Installs the interfaces' factory once per process; every ClickableLabel calls it, so no page has to.
void install();
} // namespace AccessibleLabels
