#pragma once

#include <QString>

// Where the running copy of the program keeps its lock.
QString instance_lock_path();

// True when this process may run: it holds the lock already, or it takes it
// now and keeps it until it ends. False while another live process holds it.
// A lock left behind by a copy that crashed is taken over.
bool claim_single_instance();
