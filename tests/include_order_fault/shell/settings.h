// Stands for the main window's settings in the include order test's faulty tree.
#pragma once
