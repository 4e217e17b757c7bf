#pragma once

// The wait cursor over the whole program while the object lives, so a long library run does
// not look hung. Message boxes and file dialogs in between get the normal cursor back
// through pause() and resume().
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void pause();
    void resume();
    bool active() const { return m_active; }

private:
    bool m_active = false;
};
