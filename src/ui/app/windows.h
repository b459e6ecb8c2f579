#pragma once

class TClientForm;
class TClientStartForm;
class TElementForm;
class TIconForm;
class TIconManageForm;
class TIPEditForm;
class TLinkPictureForm;
class TLinkThumbnailForm;
class TListColumnSelectForm;
class TMainForm;
class TNewForm;
class TNewWizardForm;
class TOptionForm;
class TProgressForm;
class TServerForm;
class TVersionForm;

// The windows of the running program that others call, filled in as the
// start-up creates them; a window not created (yet) is null.
struct TWindows {
    TMainForm* MainForm = nullptr;
    TIconForm* IconForm = nullptr;
    TVersionForm* VersionForm = nullptr;
    TElementForm* ElementForm = nullptr;
    TNewForm* NewForm = nullptr;
    TNewWizardForm* NewWizardForm = nullptr;
    TListColumnSelectForm* ListColumnSelectForm = nullptr;
    TOptionForm* OptionForm = nullptr;
    TProgressForm* ProgressForm = nullptr;
    TClientForm* ClientForm = nullptr;
    TServerForm* ServerForm = nullptr;
    TIconManageForm* IconManageForm = nullptr;
    TLinkPictureForm* LinkPictureForm = nullptr;
    TLinkThumbnailForm* LinkThumbnailForm = nullptr;
    TClientStartForm* ClientStartForm = nullptr;
    TIPEditForm* IPEditForm = nullptr;
};
