#include "gui/virtual_mouse_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

#include "device/virtual_mouse.h"

namespace torvane {

namespace {

QString hexBytes(const std::vector<std::uint8_t>& bytes) {
    QStringList parts;
    for (std::uint8_t byte : bytes)
        parts << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0'));
    return parts.join(QLatin1Char(' ')).toUpper();
}

}  // namespace

VirtualMousePanel::VirtualMousePanel(VirtualMouse& mouse, QWidget* parent)
    : QWidget(parent, Qt::Window), m_mouse(mouse) {
    setWindowTitle(QString::fromLatin1(kVirtualMousePanelTitle));
    setObjectName(QStringLiteral("virtualMousePanel"));
    setStyleSheet(QStringLiteral(
        "#virtualMousePanel, QWidget { background: #1c1f26; color: #e6e8ee; font-size: 10pt; }"
        "QGroupBox { border: 1px solid #3a3f4b; border-radius: 4px; margin-top: 14px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; color: #7fb3ff; }"
        "QPushButton { background: #2c313c; border: 1px solid #4a5060; border-radius: 4px;"
        "  padding: 6px 10px; }"
        "QPushButton:hover { background: #353b48; }"
        "QPushButton:pressed { background: #2f6fd6; border-color: #7fb3ff; }"
        "QLabel[role=\"value\"] { color: #ffffff; font-weight: bold; }"));

    auto valueLabel = [this](const QString& name) {
        auto* label = new QLabel(QStringLiteral("-"), this);
        label->setObjectName(name);
        label->setProperty("role", "value");
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };

    auto* sent = new QGroupBox(QStringLiteral("Last sent to the mouse"), this);
    auto* grid = new QGridLayout(sent);
    int row = 0;
    for (std::size_t i = 0; i < kPanelHardwareButtons.size(); ++i) {
        grid->addWidget(
            new QLabel(QStringLiteral("Button %1 code").arg(kPanelHardwareButtons[i]), sent), row,
            0);
        m_codes[i] = valueLabel(QStringLiteral("code%1").arg(kPanelHardwareButtons[i]));
        grid->addWidget(m_codes[i], row++, 1);
    }
    struct Row {
        const char* caption;
        const char* name;
        QLabel** label;
    };
    const Row rows[] = {
        {"DPI stage / value index", "dpi", &m_dpi},
        {"LED mode", "led", &m_led},
        {"Wheel", "wheel", &m_wheel},
        {"Driver", "driver", &m_driver},
        {"Reports", "reports", &m_reports},
        {"Last report", "lastReport", &m_lastReport},
    };
    for (const Row& r : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(r.caption), sent), row, 0);
        QLabel*& label = *r.label;
        label = valueLabel(QString::fromLatin1(r.name));
        grid->addWidget(label, row++, 1);
    }

    auto* buttons = new QGroupBox(QStringLiteral("Hold a mouse button"), this);
    auto* buttonGrid = new QGridLayout(buttons);
    for (std::size_t i = 0; i < kPanelHardwareButtons.size(); ++i) {
        const int hardware = kPanelHardwareButtons[i];
        auto* button = new QPushButton(QString::number(hardware), buttons);
        button->setObjectName(QStringLiteral("holdButton%1").arg(hardware));
        button->setToolTip(QStringLiteral("Press and hold hardware button %1").arg(hardware));
        connect(button, &QPushButton::pressed, this,
                [this, hardware] { m_mouse.press(static_cast<std::uint8_t>(hardware)); });
        connect(button, &QPushButton::released, this, [this] { m_mouse.release(); });
        buttonGrid->addWidget(button, static_cast<int>(i / 4), static_cast<int>(i % 4));
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sent);
    layout->addWidget(buttons);

    m_mouse.setChangeCallback([this] { requestRefresh(); });
    refresh();
}

VirtualMousePanel::~VirtualMousePanel() {
    m_mouse.setChangeCallback(nullptr);
}

void VirtualMousePanel::requestRefresh() {
    if (m_refreshPending.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshPending.store(false);
            refresh();
        },
        Qt::QueuedConnection);
}

void VirtualMousePanel::refresh() {
    const VirtualMouse::State state = m_mouse.state();
    for (std::size_t i = 0; i < kPanelHardwareButtons.size(); ++i) {
        const auto& code = state.deviceCode[static_cast<std::size_t>(kPanelHardwareButtons[i])];
        QString text = code ? QString::number(*code) : QStringLiteral("-");
        if (code && *code == 31) text += QStringLiteral("  (driver)");
        if (state.heldButton && *state.heldButton == kPanelHardwareButtons[i]) {
            text += QStringLiteral("  [held]");
        }
        m_codes[i]->setText(text);
    }
    m_dpi->setText(QStringLiteral("%1 / %2").arg(state.dpiStage).arg(state.dpiValueIndex));
    m_led->setText(QString::number(state.ledMode));
    m_wheel->setText(QString::number(state.wheelMode));
    QString driver = state.driverOff ? QStringLiteral("off") : QStringLiteral("on");
    if (state.awaitingConfirmPress) driver += QStringLiteral(", waiting for a button press");
    m_driver->setText(driver);
    const auto reports = m_mouse.receivedReports();
    m_reports->setText(QString::number(reports.size()));
    m_lastReport->setText(reports.empty() ? QStringLiteral("-") : hexBytes(reports.back()));
}

}  // namespace torvane
