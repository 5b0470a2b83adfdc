// Records every error box, question and general error report instead of
// showing it, and answers questions from a queue (No when it runs dry).
// Installs itself as TVlqProcs' prompt hook for its lifetime.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class PromptRecorder {
public:
    PromptRecorder();
    ~PromptRecorder();
    PromptRecorder(const PromptRecorder&) = delete;
    PromptRecorder& operator=(const PromptRecorder&) = delete;

    QStringList errors;    // error boxes and general error reports, in order
    QStringList questions; // questions asked, in order
    QList<bool> answers;   // answers to the next questions (true = Yes)

    void clear() {
        errors.clear();
        questions.clear();
    }
};
