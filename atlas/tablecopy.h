// Copying from the atlas's tables: the selected cells as tab-separated lines, each number whole.
#pragma once

#include <QString>
#include <Qt>

class QAbstractItemView;

namespace kz::atlas {

// The role under which the atlas's models give a cell's whole text, never shortened.
inline constexpr int kWholeTextRole = Qt::UserRole + 1;

// The selected cells of view by rows, tab between columns, one line per row.
QString selectedText(const QAbstractItemView *view);
// Adds Ctrl+C and a context menu entry "Kopieren" that put selectedText on the clipboard.
void enableCopy(QAbstractItemView *view);

} // namespace kz::atlas
