#pragma once

#include "widgets/DialogService.h"

#include <QList>
#include <functional>

// Records every box instead of showing it; answers with queued button indexes, else the default button.
class RecordingDialogService : public DialogService
{
public:
    int show(const MessageBoxRequest& request) override
    {
        requests.append(request);
        if (onShow)
            onShow(request);
        return answers.isEmpty() ? request.defaultButton : answers.takeFirst();
    }

    QStringList texts() const
    {
        QStringList result;
        for (const auto& request : requests)
            result.append(request.text);
        return result;
    }

    QList<MessageBoxRequest> requests;
    QList<int> answers;
    std::function<void(const MessageBoxRequest&)> onShow;
};
