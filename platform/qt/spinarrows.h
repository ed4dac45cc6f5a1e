#pragma once
#include <QWidget>

#include <functional>

class QToolButton;

namespace tw {

// The up-down arrows attached to a field. They sit inside the field's right edge (a line
// edit keeps its text clear of them) and follow it when it moves or resizes. The range runs
// from the upper arrow's value to the lower arrow's, either way round; each arrow moves the
// position one step toward its end and writes it into the field as a plain integer. When the
// field holds a whole number within the range, that number is where the step starts, so a
// value the user typed is not lost. The Up and Down keys in the field work as the arrows.
class SpinArrows : public QWidget
{
    Q_OBJECT

  public:
    SpinArrows(QWidget* buddy, int upper, int lower, int position, std::function<void(int)> moved);

    int position() const { return position_; }
    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void stepToward(int end);
    void takePositionFromBuddy();
    void place();

    QWidget* buddy_;
    int upper_;
    int lower_;
    int position_;
    std::function<void(int)> moved_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace tw
