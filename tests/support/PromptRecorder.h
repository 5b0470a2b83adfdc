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
    // Boxes with buttons of their own (game/ChoiceBox): their texts, and the
    // indexes of the buttons to press (the default button when it runs dry).
    QStringList choices;
    QList<int> choiceAnswers;
    // Answers to file-save dialogs (empty: cancelled).
    QStringList savePaths;

    void clear() {
        errors.clear();
        questions.clear();
        choices.clear();
    }
};
