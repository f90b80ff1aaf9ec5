// Reads B3D text files into a mesh model.
