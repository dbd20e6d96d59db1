#include "platform/widgets/SpokenParts.h"

#include <private/qaccessiblecache_p.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace kd {

namespace {

const char* const kPartsProperty = "kdSpokenParts";

class PictureAccessible;

// One text of a picture: static text over the whole picture, owned by the picture's interface.
class PartAccessible : public QAccessibleInterface {
  public:
    PartAccessible(QWidget* picture, int index) : m_picture(picture), m_index(index) {}
    bool isValid() const override { return m_picture && m_index < SpokenParts(m_picture).size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_picture ? m_picture->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_picture); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && m_picture ? SpokenParts(m_picture).value(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!m_picture) return {};
        return QRect(m_picture->mapToGlobal(QPoint()), m_picture->size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !m_picture || !m_picture->isVisible();
        s.readOnly = true;
        return s;
    }

  private:
    QPointer<QWidget> m_picture;
    int m_index;
};

// A picture with texts: a graphic whose children are its texts.
class PictureAccessible : public QAccessibleWidget {
  public:
    explicit PictureAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}
    ~PictureAccessible() override {
        for (QAccessible::Id id : m_ids) QAccessible::deleteAccessibleInterface(id);
    }
    // The widget's own children first (labels drawn over the picture), then its texts.
    int childCount() const override {
        return QAccessibleWidget::childCount() + int(SpokenParts(widget()).size());
    }
    QAccessibleInterface* child(int index) const override {
        const int own = QAccessibleWidget::childCount();
        if (index < own) return QAccessibleWidget::child(index);
        const int part = index - own;
        if (part >= int(SpokenParts(widget()).size())) return nullptr;
        while (m_ids.size() <= part)
            m_ids << QAccessible::registerAccessibleInterface(
                new PartAccessible(widget(), int(m_ids.size())));
        return QAccessible::accessibleInterface(m_ids[part]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < m_ids.size(); ++i)
            if (QAccessible::accessibleInterface(m_ids[i]) == child)
                return QAccessibleWidget::childCount() + i;
        return QAccessibleWidget::indexOfChild(child);
    }

  private:
    mutable QList<QAccessible::Id> m_ids;
};

// Reported as hidden and nameless, as tools skip what is not showing.
class DecorativeAccessible : public QAccessibleWidget {
  public:
    explicit DecorativeAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
};

QAccessibleInterface* PictureFactory(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (w && w->property(kPartsProperty).isValid()) return new PictureAccessible(w);
    return nullptr;
}

// Widgets among the picture's children, as the accessibility tree counts them.
int OwnChildren(QWidget* picture) {
    int n = 0;
    for (QObject* o : picture->children())
        if (o->isWidgetType() && !static_cast<QWidget*>(o)->isWindow()) ++n;
    return n;
}

}  // namespace

void InstallSpokenPartsAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(PictureFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void MarkDecorative(QWidget* copy) {
    UseAccessibleInterface(copy, new DecorativeAccessible(copy));
}

void UseAccessibleInterface(QWidget* widget, QAccessibleInterface* own) {
    // With a tool listening, Qt may have made the widget's interface already (a label's text
    // set in its constructor is announced).
    QAccessibleCache* cache = QAccessibleCache::instance();
    if (const QAccessible::Id made = cache->idForObject(widget)) cache->deleteInterface(made, widget);
    QAccessible::registerAccessibleInterface(own);
}

QStringList SpokenParts(const QWidget* picture) {
    return picture ? picture->property(kPartsProperty).toStringList() : QStringList();
}

void SetSpokenParts(QWidget* picture, const QStringList& parts) {
    InstallSpokenPartsAccessibility();
    const QVariant before = picture->property(kPartsProperty);
    const QStringList old = before.toStringList();
    if (before.isValid() && old == parts) return;
    picture->setProperty(kPartsProperty, parts);
    // Events name the picture and the part's index, so nothing is built while nobody listens.
    if (old.size() != parts.size()) {
        QAccessibleEvent reorder(picture, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reorder);
        return;
    }
    for (int i = 0; i < parts.size(); ++i)
        if (parts[i] != old[i]) {
            QAccessibleEvent changed(picture, QAccessible::NameChanged);
            changed.setChild(OwnChildren(picture) + i);
            QAccessible::updateAccessibility(&changed);
        }
}

}  // namespace kd
