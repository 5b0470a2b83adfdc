#include "PromptRecorder.h"

#include "game/ChoiceBox.h"
#include "game/TVlqProcs.h"

PromptRecorder::PromptRecorder() {
    TVlqProcs::SetPromptHook([this](const QString& text, bool isQuestion) {
        if (!isQuestion) {
            errors << text;
            return false;
        }
        questions << text;
        return answers.isEmpty() ? false : answers.takeFirst();
    });
    ChoiceBox::setHook([this](const QString& text, const QStringList&, int defaultIndex) {
        choices << text;
        return choiceAnswers.isEmpty() ? defaultIndex : choiceAnswers.takeFirst();
    });
    ChoiceBox::setPathHook([this](const QString&) { return savePaths.isEmpty() ? QString() : savePaths.takeFirst(); });
}

PromptRecorder::~PromptRecorder() {
    TVlqProcs::SetPromptHook({});
    ChoiceBox::setHook({});
    ChoiceBox::setPathHook({});
}
