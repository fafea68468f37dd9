#include "StatusPanels.h"

#include <QLabel>

namespace vw {

StatusPanels::StatusPanels(const QString& name, QWidget* parent) : QStatusBar(parent) {
    setObjectName(name);
    setSizeGripEnabled(true);
    // Progress texts in panel 1 and the item count in panel 2 take the room; the counts of
    // panels 3 to 5 are short, and a clipped text shows whole in the panel's tool tip.
    static constexpr std::array<int, PanelCount> stretch{2, 2, 1, 1, 1};
    for (int i = 0; i < PanelCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("panel%1").arg(i + 1));
        // A reader announces the text itself; the panel's ID stands in its description.
        label->setAccessibleDescription(name + u'.' + QString::number(i + 1));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(60);
        addPermanentWidget(label, stretch[static_cast<size_t>(i)]);
        labels_[static_cast<size_t>(i)] = label;
    }
}

void StatusPanels::setPanelText(int panel, const QString& text) {
    if (panel < 1 || panel > PanelCount)
        return;
    texts_[static_cast<size_t>(panel - 1)] = text;
    if (!showPending_) {
        showPending_ = true;
        QMetaObject::invokeMethod(this, &StatusPanels::showTexts, Qt::QueuedConnection);
    }
}

QString StatusPanels::panelText(int panel) const {
    if (panel < 1 || panel > PanelCount)
        return {};
    return texts_[static_cast<size_t>(panel - 1)];
}

void StatusPanels::showTexts() {
    showPending_ = false;
    for (size_t i = 0; i < labels_.size(); ++i) {
        labels_[i]->setText(texts_[i]);
        labels_[i]->setToolTip(texts_[i]);
    }
}

} // namespace vw
