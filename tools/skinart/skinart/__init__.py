# The skin art generator: draws the images of the two skin libraries and writes their image tables,
# page documents and manifests. See ../make-skin-art.
