// Windows that the program makes at start but shows seldom (the dialogs) build their controls
// when first shown instead of when made, so the start does not pay for them.
//
// A window derives from BuiltOnFirstShow<QDialog> (or <QWidget>, ...) instead of the Qt class,
// keeps in its constructor only what must hold from the start (object name, title, flags, plain
// members) and moves the rest into buildContents(). Showing the window in any way (show(),
// exec(), open()) builds it first, before Qt sizes and polishes it. A public operation that other
// windows may call before the first showing and that reads or writes a control calls
// ensureBuilt() first; tests that look controls up before showing the window do the same.
#pragma once

template <typename Base> class BuiltOnFirstShow : public Base {
public:
    using Base::Base;

    // Builds the contents unless they are built already. Callable on a const window: building
    // changes nothing a caller can see, it only makes the controls exist.
    void ensureBuilt() const {
        if (m_built)
            return;
        m_built = true;
        const_cast<BuiltOnFirstShow*>(this)->buildContents();
    }
    bool isBuilt() const { return m_built; }

    void setVisible(bool visible) override {
        if (visible)
            ensureBuilt();
        Base::setVisible(visible);
    }

protected:
    // Makes the controls, their layout and connections; runs once.
    virtual void buildContents() = 0;

private:
    mutable bool m_built = false;
};
