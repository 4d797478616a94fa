#include "atlas/tablecopy.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>

#include <map>

namespace kz::atlas {

QString selectedText(const QAbstractItemView *view)
{
    if (!view->selectionModel())
        return {};
    std::map<int, std::map<int, QString>> cells;
    for (const QModelIndex &index : view->selectionModel()->selectedIndexes())
        cells[index.row()][index.column()] = index.data(kWholeTextRole).toString();
    QStringList lines;
    for (const auto &[row, columns] : cells) {
        QStringList line;
        for (const auto &[column, text] : columns)
            line << text;
        lines << line.join(QChar(u'\t'));
    }
    return lines.isEmpty() ? QString() : lines.join(QChar(u'\n')) + QChar(u'\n');
}

void enableCopy(QAbstractItemView *view)
{
    auto *copy = new QAction(QStringLiteral("Kopieren"), view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    copy->setToolTip(QStringLiteral("Die gewählten Zeilen als Text in die Zwischenablage legen"));
    QObject::connect(copy, &QAction::triggered, view, [view] {
        const QString text = selectedText(view);
        if (!text.isEmpty())
            QApplication::clipboard()->setText(text);
    });
    view->addAction(copy);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace kz::atlas
