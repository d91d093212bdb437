#pragma once
// The guard against a second transaction: while one operation talks to the sensor,
// every control that could start another is dimmed.

enum class DimMode {
    Transfer,  // everything that talks to the sensor
    Go,        // as Transfer, but SEND, GET and the memory toggles stay usable (they queue)
};

class CommandButtons {
  public:
    virtual void SetButtonsDimmed(DimMode mode, bool dimmed) = 0;

  protected:
    ~CommandButtons() = default;
};

// Dims for its lifetime, so no early return leaves the buttons dimmed.
class ButtonsDimmed {
  public:
    ButtonsDimmed(CommandButtons& buttons, DimMode mode) : buttons_(buttons), mode_(mode) {
        buttons_.SetButtonsDimmed(mode_, true);
    }
    ~ButtonsDimmed() { buttons_.SetButtonsDimmed(mode_, false); }
    ButtonsDimmed(const ButtonsDimmed&) = delete;
    ButtonsDimmed& operator=(const ButtonsDimmed&) = delete;

  private:
    CommandButtons& buttons_;
    DimMode mode_;
};
