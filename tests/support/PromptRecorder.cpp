#include "PromptRecorder.h"

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
}

PromptRecorder::~PromptRecorder() { TVlqProcs::SetPromptHook({}); }
