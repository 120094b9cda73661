// English texts of the setup program (plain ASCII).

#include "setup/engine/setup_text_tables.h"

constinit const SetupTextTable kSetupTextEng = MakeSetupTextTable({
    {1, "Install"},
    {2, "Are you sure you want to cancel Setup?"},
    {3, "Creating link..."},
    {4, "Copy File:"},
    {5, "< Back"},
    {6, "Next >"},
    {7, "Cancel"},
    {8, "Finsish"},
    {11, "Ostrevia.lnk"},
    {12, "Zelmorant Help.lnk"},
    {13, "Zelmorant Config.lnk"},
    {14, "Uninstall Zelmorant.lnk"},
    {21, "Setup failed!"},
    {22, "Invalid path!"},
    {23, "This path does not exist. Do you want to create it?"},
    {24, "Can't continue,You must agree the agreement first!"},
    {25, "Please read the following agreement, only accepts the agreement to be able to continue"},
    {26, "I accept the agreement"},
    {27, "I do not accept the agreement"},
    {28, "Welcome to intall Zelmorant"},
    {29,
     "The folder name has characters that this computer's ANSI code page cannot hold: CAD programs "
     "could not load the add-in from it. Please choose another folder."},
    {30,
     "Users who are not administrators can change files in this folder, and so the add-in that every "
     "user's CAD program loads from it. Please choose another folder, or a new one."},
    {31, "Setting"},
    {32, "Select AutoCAD version to install Zelmorant\nSpecify install directory"},
    {33, "Auto-Load Setting:"},
    {34, "Destination Path:"},
    {41, "installing, please wait..."},
    {42, "Processing:"},
    {43, "File name"},
    {51, "Install complete"},
    {52, "Zelmorant installs successfully"},
    {53, "Accessing registry failed, please sure you have the privilege of accessing registry!"},
});
