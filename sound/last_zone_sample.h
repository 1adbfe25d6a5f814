#pragma once

// Forgets the zone sample started last, once its handle has been released: a new sample could
// get the same address and would then never start.
void ForgetLastZoneSample();
