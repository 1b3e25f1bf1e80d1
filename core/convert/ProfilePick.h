#pragma once

#include <QString>

// What a profile box's text stands for. The box has two fixed items, item 0
// "no profile" and item 1 "<Manual>" (the nameless scratch profile), and shows
// any profile picked in the file manager by its name.
namespace ProfilePick {

enum class Item { None, Manual, Named };

// Which fixed item the text names; compared in lower case, as the translators
// may write the items.
Item ItemOf(const QString& text, const QString& noneText, const QString& manualText);
// The profile path once an item is accepted: "" for no profile, the scratch
// profile appfiles/<folder>/.<extension> for "<Manual>", and the current path
// for a named profile.
QString PathFor(Item item, const QString& current, const QString& folder, const QString& extension);
// The name a box shows for a profile picked in the file manager: its base
// name, or the "<Manual>" item's text for the nameless scratch profile.
QString ShownName(const QString& path, const QString& manualText);

}  // namespace ProfilePick
