#include "practice/UpDown.h"

#include <QKeyEvent>
#include <QVBoxLayout>

namespace kd {

UpDown::UpDown(QWidget* parent, const QString& name, QLabel* buddy, int min, int max, int increment)
    : QWidget(parent), m_buddy(buddy), m_min(min), m_max(max), m_increment(increment), m_value(min) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    upButton = new QToolButton(this);
    upButton->setArrowType(Qt::UpArrow);
    downButton = new QToolButton(this);
    downButton->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {upButton, downButton}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        box->addWidget(b);
    }
    connect(upButton, &QToolButton::clicked, this, [this] { StepUp(); });
    connect(downButton, &QToolButton::clicked, this, [this] { StepDown(); });
    SyncFromBuddy();
}

void UpDown::SyncFromBuddy() {
    m_value = qBound(m_min, m_buddy->text().toInt(), m_max);
}

void UpDown::Step(int delta) {
    const int next = qBound(m_min, m_value + delta, m_max);
    m_value = next;
    m_buddy->setText(QString::number(next));
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        StepUp();
    else if (event->key() == Qt::Key_Down)
        StepDown();
    else
        QWidget::keyPressEvent(event);
}

}  // namespace kd
