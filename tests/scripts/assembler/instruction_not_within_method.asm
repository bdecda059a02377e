class c
method m
end method
push 1
