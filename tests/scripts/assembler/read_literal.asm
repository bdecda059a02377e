"abc"
