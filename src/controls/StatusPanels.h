#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace vw {

// A status bar of five text panels, numbered 1 to 5; setting a panel's text replaces it.
// Labels take the newest texts when control returns to the event loop: a read sets a progress
// text every hundred lines, and relaying out a label each time would cost more than the read.
class StatusPanels : public QStatusBar {
    Q_OBJECT

public:
    static constexpr int PanelCount = 5;

    explicit StatusPanels(const QString& name, QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;

private:
    void showTexts();

    std::array<QLabel*, PanelCount> labels_{};
    std::array<QString, PanelCount> texts_;
    bool showPending_ = false;
};

} // namespace vw
