#pragma once

// The process's high-water mark of resident memory so far, in megabytes.
double peakResidentMegabytes();
