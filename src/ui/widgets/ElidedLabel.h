#pragma once

#include <QLabel>

// A one-line label for names of any length: it asks for no more width than a few letters,
// shows as much of its text as fits with "..." at the end, and the whole text in its
// tooltip while it is cut. The text is plain, never markup.
class CElidedLabel : public QLabel
{
public:
    explicit CElidedLabel(QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    const QString& FullText() const { return m_full; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Elide();

    QString m_full;
};
