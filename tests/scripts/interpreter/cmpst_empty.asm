push 1
cmpst
