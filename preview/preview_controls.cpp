#include "preview_controls.h"

#include "preview_view.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QShortcut>

namespace velmora::preview {

void addPreviewControls(QWidget& window, PreviewView& view)
{
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(close, &QShortcut::activated, &window, &QWidget::close);

    auto* hint = new QLabel(QStringLiteral("Molette : zoom  ·  Glisser : déplacer  ·  Double-clic : tout voir"),
                            &window);
    hint->setObjectName(QStringLiteral("mouseHint"));
    auto* hideRapids = new QCheckBox(QStringLiteral("Masquer les déplacements rapides"), &window);
    hideRapids->setObjectName(QStringLiteral("hideRapids"));
    QObject::connect(hideRapids, &QCheckBox::toggled, &view,
                     [&view](bool hidden) { view.setRapidMovesShown(!hidden); });

    auto* row = new QHBoxLayout;
    row->addWidget(hint, 1);
    row->addWidget(hideRapids);
    if (auto* column = qobject_cast<QBoxLayout*>(window.layout()))
        column->insertLayout(column->indexOf(&view) + 1, row);
}

}  // namespace velmora::preview
