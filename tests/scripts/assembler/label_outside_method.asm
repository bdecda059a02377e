class c
method m
end method
here:
