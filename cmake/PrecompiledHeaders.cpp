// The precompiled headers of one kind of target are compiled with this file; it holds nothing
// else.
