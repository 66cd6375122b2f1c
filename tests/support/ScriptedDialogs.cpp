#include "ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    previous_ = SetDialogHook([this](const DialogRequest& request) {
        calls_.push_back(request);
        if (!answers_.empty()) {
            DialogAnswer answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        DialogAnswer answer;
        answer.button = request.kind == DialogRequest::Message ? DefaultButton(request.flags) : IDOK;
        answer.value = request.defaultValue;
        return answer;
    });
}

ScriptedDialogs::~ScriptedDialogs()
{
    SetDialogHook(std::move(previous_));
}

std::vector<AnsiString> ScriptedDialogs::Texts() const
{
    std::vector<AnsiString> texts;
    for (const auto& call : calls_)
        if (call.kind == DialogRequest::Message) texts.push_back(call.text);
    return texts;
}
