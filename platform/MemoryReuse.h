#pragma once

// Keeps up to 16 MiB of freed memory at the top of the heap for reuse instead of giving it
// back to the system at once. The GL driver allocates and frees a frame-sized buffer at every
// buffer swap; handing it back each time made an idle viewer fault in every page of it again,
// frame after frame. Does nothing where the C library has no such setting.
void keepFreedMemoryForReuse();
