// Starts the player's reference tools (dictionary, thesaurus) and, on later
// calls, brings the running tool's window to the front instead of starting
// a second copy. Started tools are independent processes: never watched,
// never closed, they outlive the program.
#pragma once
#include <QObject>
#include <QString>
#include <array>

class TLaunchModule : public QObject {
    Q_OBJECT
public:
    static constexpr int ToolSlots = 6; // slot 0 dictionary, 1 thesaurus, the rest unused

    // Registers itself as the program's launcher (instance()) for its
    // lifetime.
    explicit TLaunchModule(QObject* parent = nullptr);
    ~TLaunchModule() override;
    static TLaunchModule* instance();

    // The slot the next launch concerns, 0..ToolSlots-1; values outside are
    // clamped.
    int currentTool() const { return current_; }
    void setCurrentTool(int slot);

    // Shows the tool of the current slot: raises its window when it has
    // one, and otherwise starts it from path, also while its process still
    // runs (only where windows cannot be looked up does a live process count
    // as shown). False only when a start was needed and failed (missing
    // file, not executable, not a program).
    bool LaunchTool(const QString& path);

    // Starts path as a program (the path as stored, no arguments, the
    // program's current folder) and records the process in the current slot.
    // Waits up to 1000 ms for its window where windows can be looked up.
    // False when the process could not be started; the slot is then left as
    // it was.
    bool StartTool(const QString& path);

    // Process id recorded in a slot (0 when none), for tests and diagnostics.
    qint64 processId(int slot) const;

private:
    struct Tool {
        qint64 pid = 0;
        QString lifeToken;   // tells a live process from a reused id
        quintptr window = 0; // 0 until found
    };
    bool running(const Tool& t) const;

    std::array<Tool, ToolSlots> tools_{};
    int current_ = 0;
};
