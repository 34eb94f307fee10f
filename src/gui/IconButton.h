// A push button painted by the program: an icon near its left edge and the
// caption after it, both shifted while the button is held down.
#pragma once

#include <QIcon>
#include <QPushButton>

namespace chainforge {

class CIconButton : public QPushButton {
    Q_OBJECT

  public:
    static constexpr int kMargin = 4;  // left edge to icon
    static constexpr int kGap = 8;     // icon to caption

    explicit CIconButton(const QString& caption, QWidget* parent = nullptr);

    // False, leaving the button as it was, for an icon without a picture.
    bool SetIcon(const QIcon& icon, int width, int height);

    // Where icon and caption go, before the pressed offset.
    QPoint IconPosition() const;
    QPoint CaptionPosition() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int PressedOffset() const { return isDown() ? 1 : 0; }
    bool HasIcon() const { return !icon_.isNull(); }
    int CaptionWidth() const;
    int MnemonicFlag() const;
    void DrawFrame(QPainter& painter) const;
    void DrawIcon(QPainter& painter, QPoint offset) const;
    void DrawCaption(QPainter& painter, QPoint offset) const;
    void DrawFocus(QPainter& painter) const;

    QIcon icon_;
    int iconWidth_ = 0;
    int iconHeight_ = 0;
};

}  // namespace chainforge
