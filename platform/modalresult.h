#pragma once

// What a modal dialog's exec() returns: OK is QDialog::Accepted, Cancel and Abort follow it.
enum ModalResult
{
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3
};
